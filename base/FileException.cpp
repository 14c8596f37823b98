#include "base/FileException.h"

#include <cerrno>

CFileException::Cause FileErrorCauseFromErrno(int error) {
    switch (error) {
        case ENOENT:
            return CFileException::Cause::fileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case EINVAL:
        case EILSEQ:
            return CFileException::Cause::badPath;
        case EACCES:
        case EPERM:
        case EROFS:
        case EBUSY:
            return CFileException::Cause::accessDenied;
        case EISDIR:
            return CFileException::Cause::isDirectory;
        case ENOSPC:
        case EFBIG:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return CFileException::Cause::diskFull;
        case EIO:
            return CFileException::Cause::hardIO;
        default:
            return CFileException::Cause::generic;
    }
}
