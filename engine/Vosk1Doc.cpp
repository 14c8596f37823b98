#include "engine/Vosk1Doc.h"

#include "engine/FieldSplitter.h"

void CVosk1Doc::OnNewDocument(std::string_view firstArgument) {
    m_strParam = firstArgument.empty() ? "/P1" : std::string(firstArgument);
}

std::string CVosk1Doc::BuildLineRecord(size_t k, double heightPitch, double widthPitch,
                                       double length) {
    const double pitch = m_strField[0] == "cv" ? widthPitch : heightPitch;
    if (k != 0) {
        if (length != 0.0) {
            m_dValue[1] = m_dValue[1] + ((pitch * m_dValue[4]) / length);
            m_dValue[2] = m_dValue[2] - ((pitch * m_dValue[3]) / length);
        } else {
            // A text without a direction is laid out as if it ran along +x.
            m_dValue[2] = m_dValue[2] - pitch;
        }
    }
    std::string record;
    record.reserve(m_strField[0].size() + m_strField[3].size() + m_strField[4].size() +
                   m_strLine[k].size() + 48);
    record += m_strField[0];
    record += ' ';
    record += FieldSplitter::FormatNumber(m_dValue[1]);
    record += ' ';
    record += FieldSplitter::FormatNumber(m_dValue[2]);
    record += ' ';
    record += m_strField[3];
    record += ' ';
    record += m_strField[4];
    record += " \"";
    record += m_strLine[k];
    return record;
}
