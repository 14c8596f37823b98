#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "editor/EditorTexts.h"

namespace {

TEST(EditorTextsTest, EveryTextIsTheShiftJisOfItsComment) {
    const iconv_t cp932 = iconv_open("CP932", "UTF-8");
    ASSERT_NE(cp932, reinterpret_cast<iconv_t>(-1)) << "iconv has no CP932";
    const struct {
        const char* constant;
        const char* utf8;
    } cases[] = {
        {kNewTableQuestion, "新規ファイルは上書きされません！\n保存しますか？"},
        {kTableDialogInitialName, "無題.mse"},
        {kTableDialogFilter, "設定(*.mse)|*.mse|すべて(*.*)|*.*||"},
        {kArrowCellText, "　--->"},
        {kBeforeColumnName, "置換　前"},
        {kAfterColumnName, "置換　後"},
        {kFileMissing, "ファイルがありません。"},
        {kOpeningNewTable, "新規.mseを開きます"},
        {kAccessDenied, "ファイルへのアクセスが拒否されました。"},
        {kBadPath, "ファイルのパスが無効です。"},
        {kDiskFull, "ディスクがいっぱいです。"},
        {kReadFailed, "ファイルを読み込めませんでした。"},
        {kWriteFailed, "ファイルに書き込めませんでした。"},
        {kUnrepresentableFileName, "ファイル名に Shift-JIS で表せない文字が含まれています。"},
        {kBadRunParameter, "実行パラメータ %1 の数値が正しくありません。"},
        {kRowSuffix, "行目の"},
        {kUnrepresentableText, "に、Shift-JIS で表せない文字があります。"},
        {kFrameworkFileNotFound, "%1 が見つかりません。"},
        {kFrameworkBadPath, "%1 には無効なﾊﾟｽが含まれています。"},
        {kFrameworkAccessDenied, "%1 へのｱｸｾｽは拒否されました。"},
        {kFrameworkDiskFull, "%1 の書き込み中にﾃﾞｨｽｸがいっぱいになりました。"},
        {kFrameworkHardIO, "%1 の読み書き中にﾊｰﾄﾞｳｪｱ ｴﾗｰが発生しました。"},
        {kFrameworkGeneric, "%1 の処理中に予期しないｴﾗｰが発生しました。"},
        {kUntitledFileName, "無題のﾌｧｲﾙ"},
        {kUnexpectedError, "予期しないｴﾗｰが発生しました。"},
        {kRowReplaces, "行 %1: %2 件を置換"},
        {kRowRemoves, "行 %1: %2 件を削除"},
        {kRowLaysOut, "行 %1: %2 件を %3 行に"},
        {kRowMatchesNothing, "行 %1: 一致する文字がありません"},
        {kRowShadowed, "行 %1: %2 件は前の行が先に置換"},
        {kTotals, "合計: 置換 %1 件、削除 %2 件、複数行 %3 件"},
        {kStatusSeparator, "　"},
    };
    for (const auto& [constant, utf8] : cases) {
        std::string in = utf8;
        std::string out(in.size() * 2, '\0');
        char* from = in.data();
        char* to = out.data();
        size_t inLeft = in.size();
        size_t outLeft = out.size();
        EXPECT_NE(iconv(cp932, &from, &inLeft, &to, &outLeft), static_cast<size_t>(-1)) << utf8;
        out.resize(out.size() - outLeft);
        EXPECT_EQ(constant, out) << utf8;
    }
    iconv_close(cp932);
}

}  // namespace
