#include "texts/catalog.h"

namespace texts {

const char kNeedTwoGroups[] = "正規表現には２つのグループが必要です";
const char kInvalidRegex[] = "正規表現が不正です";
const char kInvalidRegexQuoted[] = "\"%s\"は不正な正規表現です";

const char kFilterFailed[] = "受信したメールを検査できませんでした";

const char kCannotWriteFile[] = "%s に書き込めません";
const char kCannotReadFile[] =
    "%s を読み込めません。\n"
    "既定の設定で動作します。このファイルの内容は、次に書き込む前に同じフォルダーの .bak ファイルに残します。";
const char kRepairedListCount[] =
    "%s のリスト [%s] は Count の値が正しくないため、実際にある項目を読み込みました。";

const char kPlugInName[] = "Quorn spamフィルタ";
const char kPlugInVendor[] = "Quorn Project";
const char kPlugInVersion[] = "1.0.9";
const char kPlugInDescription[] = "S25Rを用いたspamフィルタ";
const char kNotReady[] = "準備中です";

const char kSortSpamCaption[] = "Spam振り分け";
const char kSortSpamStatus[] = "Spamを振り分けます";
const char kCheckSpamCaption[] = "Spamチェック";
const char kCheckSpamStatus[] = "Spamをチェックします";
const char kInspectCaption[] = "Received:行の検査";
const char kInspectStatus[] = "Received:行を検査します";

const char kPlugInShortName[] = "Quorn";
const char kSettingsCaptionTail[] = " Plug-inの設定";
const char kTabGeneral[] = "全般";
const char kTabSkip[] = "除外するアドレス";
const char kTabWhite[] = "ホワイトリスト";
const char kTabBlack[] = "ブラックリスト";
const char kTabRules[] = "S25R正規表現";
const char kTabRecvRegex[] = "Received:行";
const char kGroupSorting[] = "メールの振り分け";
const char kGroupLookup[] = "逆引き";
const char kParalysisCaption[] = "受信時にspamフィルタを実行しない";
const char kDropTrashCaption[] = "ゴミ箱に捨てる";
const char kReverseLookupCaption[] = "逆引きできないメールはspamとする";
const char kAcceptReceivedHostCaption[] = "Received:行のホスト名を優先して使用する";
const char kFolderLabel[] = "フォルダ:";
const char kTimeOutLabel[] = "タイムアウト:";
const char kTimeOutUnit[] = "msec.";
const char kOkCaption[] = "OK";
const char kCancelCaption[] = "Cancel";
const char kFolderButtonCaption[] = "...";
const char kInvalidAddressQuoted[] = "\"%s\"は不正なアドレスです";
const char kLineTooLongQuoted[] = "\"%s...\"は長すぎます。1行は2047バイトまでです";
const char kLineBlankAtEndQuoted[] = "\"%s\"の先頭か末尾に空白があります。行の両端の空白は保存できません";
const char kLineInQuotesQuoted[] = "%sは全体が引用符で囲まれています。行全体を囲む引用符は保存できません";

const char kProgressCaption[] = "チェック中...";

const char kFolderCaption[] = "フォルダの選択";
const char kFolderNoMailBox[] =
    "開いているメールボックスがないため、フォルダを選べません。\n"
    "Velmoでメールボックスを開いてから、設定画面を開き直してください。";

const char kSpamFound[] = "%d通のメールがspamでした";
const char kSpamMoved[] = "%d通のメールを移動しました";
const char kNoSpam[] = "spamはありませんでした";
const char kSpamNotMoved[] = "%d通のメールを移動できませんでした";
const char kSpamNoDestination[] =
    "%d通のメールがspamでしたが、移動先のフォルダが設定されていないため移動しませんでした。"
    "spamのメールを選択してあります。\n"
    "設定画面の「全般」で「ゴミ箱に捨てる」にチェックを付けるか、［...］で移動先のフォルダを選んでください。";
const char kCommandFailed[] = "選択したメールを検査できませんでした";

const char kVerdictNormal[] = "正常";
const char kVerdictExcluded[] = "除外するアドレス";
const char kVerdictWhitelisted[] = "ホワイトリスト";
const char kVerdictBlacklisted[] = "ブラックリスト";
const char kVerdictLookupFailed[] = "逆引き失敗";
const char kVerdictRulePrefix[] = "S25R rule ";

const char kInspectAddButton[] = "「除外するアドレス」に加える";
const char kInspectCancelButton[] = "Cancel";
const char kInspectColumnAddress[] = "IPアドレス";
const char kInspectColumnClass[] = "分類";
const char kInspectColumnHost[] = "ホスト名";
const char kInspectAddQuestion[] = "'%s'を「除外するアドレス」に加えます";
const char kInspectFailed[] = "Received:行を検査できませんでした";

}  // namespace texts
