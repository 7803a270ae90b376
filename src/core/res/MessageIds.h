// Ids of the messages the program shows (string-table entries).
#pragma once

namespace quarn::msg {

constexpr unsigned kTooManyChars = 59394;   // 文字数オーバーのため処理できません。
constexpr unsigned kTooManyRows = 59395;    // 行数オーバーです。
constexpr unsigned kOutOfMemory = 59399;    // fixed system-modal text
constexpr unsigned kUndoOverflow = 59433;   // アンドゥバッファの容量を越える...
constexpr unsigned kReplaceCount = 59414;  // %1 回置換しました。
constexpr unsigned kAskStop = 59415;       // 中止しますか？
constexpr unsigned kSaveChanges = 61216;    // %1への変更を保存しますか？
constexpr unsigned kInvalidFileName = 61696;
constexpr unsigned kOpenFailed = 61697;
constexpr unsigned kSaveFailed = 61714;     // ドキュメントの保存に失敗しました。
constexpr unsigned kOpenTitle = 61440;
constexpr unsigned kSaveAsTitle = 61441;

}  // namespace quarn::msg
