// Texts of the failure kinds and the standard error report.
#include "core/failure.h"

namespace kovrel {

std::string_view FailureText(FailureKind kind) {
  switch (kind) {
    case FailureKind::kInvalidArgument: return "引数が正しくありません";
    case FailureKind::kOverflow: return "オーバーフローしました";
    case FailureKind::kOutOfMemory: return "メモリが不足しています";
    case FailureKind::kIndexOutOfRange: return "インデックスが有効範囲にありません";
    case FailureKind::kDivisionByZero: return "0 で除算しました";
    case FailureKind::kFileNotFound: return "ファイルが見つかりません";
    case FailureKind::kDiskFull: return "ディスクの空き容量が不足しています";
    case FailureKind::kInputPastEnd: return "ファイルの終わりを越えて入力しようとしました。";
    case FailureKind::kPermissionDenied: return "書き込みまたは読み込みが許可されていません";
    case FailureKind::kPathNotFound: return "パスが見つかりません";
    case FailureKind::kInvalidValue: return "値が正しくありません";
    case FailureKind::kCancel: return "キャンセルされました";
  }
  return "不明なエラーです";
}

Failure MakeFailure(FailureKind kind, std::string_view detail) {
  std::string text(FailureText(kind));
  if (!detail.empty()) {
    text += ": ";
    text += detail;
  }
  return Failure(static_cast<int>(kind), std::move(text));
}

void Fail(FailureKind kind, std::string_view detail) { throw MakeFailure(kind, detail); }

void FailWithText(FailureKind kind, std::string description) {
  throw Failure(static_cast<int>(kind), std::move(description));
}

std::string ErrorReportText(const Failure& failure) {
  return "エラー番号 : " + std::to_string(failure.number()) + "\n" + failure.description();
}

}  // namespace kovrel
