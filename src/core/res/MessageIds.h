// Ids of the messages the program shows (string-table entries).
#pragma once

namespace quarn::msg {

constexpr unsigned kTooManyChars = 59394;   // 文字数オーバーのため処理できません。
constexpr unsigned kTooManyRows = 59395;    // 行数オーバーです。
constexpr unsigned kCabinetMalformed = 59398;     // キャビネットファイルの内容が不正のため...
constexpr unsigned kOutOfMemory = 59399;    // fixed system-modal text
constexpr unsigned kCabinetExists = 59400;        // 同名のキャビネットがすでに存在しています。...
constexpr unsigned kCabinetBadPath = 59401;       // パス名（ファイル名）が不正です。
constexpr unsigned kCabinetCreateFailed = 59402;  // キャビネットファイルの作成中にエラーが...
constexpr unsigned kKeywordTextTooLarge = 59403;  // 許容最大サイズを越えるため処理できません。
constexpr unsigned kKeywordTooLong = 59404;       // 許容最大長を越えるものがあるため...
constexpr unsigned kTooManyKeywords = 59405;      // 許容最大個数を越えるため処理できません。
constexpr unsigned kCabinetSheetTitle = 59438;    // キャビネット
constexpr unsigned kUndoOverflow = 59433;   // アンドゥバッファの容量を越える...
constexpr unsigned kReplaceCount = 59414;  // %1 回置換しました。
constexpr unsigned kAskStop = 59415;       // 中止しますか？
constexpr unsigned kStringTooLong = 59413;     // 文字列が長すぎます。
constexpr unsigned kGlobalFindCounts = 59416;  // 検索したファイルの数： %1 ... 見つかった個数 ： %2
constexpr unsigned kDataReadFailed = 59419;   // データファイルの読み込みでエラーが...
constexpr unsigned kDataWriteFailed = 59420;  // データファイルの書き込みでエラーが...
constexpr unsigned kDataMalformed = 59421;    // データファイルの内容が不正です。...
constexpr unsigned kSaveChanges = 61216;    // %1への変更を保存しますか？
constexpr unsigned kInvalidFileName = 61696;
constexpr unsigned kOpenFailed = 61697;
constexpr unsigned kSaveFailed = 61714;     // ドキュメントの保存に失敗しました。
constexpr unsigned kOpenTitle = 61440;
constexpr unsigned kSaveAsTitle = 61441;

}  // namespace quarn::msg
