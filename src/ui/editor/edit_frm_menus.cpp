// The menu bar of the editor window: every item with its caption, shortcut,
// objectName and initial state. Items whose commands come later are present
// and disabled until WireCommand connects them.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "ui/editor/edit_frm.h"
#include "ui/platform/window_guard.h"

namespace kovrel {
namespace {

// An item of the menu table: a command, a submenu start, a submenu end or a
// separator.
struct Item {
  enum Kind { kCommand, kMenu, kEnd, kSeparator } kind;
  const char* name = "";
  const char* caption = "";
  const char* shortcut = "";
  bool hidden = false;
};

Item Command(const char* name, const char* caption, const char* shortcut = "") {
  return {Item::kCommand, name, caption, shortcut, false};
}
Item Hidden(const char* name, const char* caption) { return {Item::kCommand, name, caption, "", true}; }
Item Menu(const char* name, const char* caption) { return {Item::kMenu, name, caption, "", false}; }
Item End() { return {Item::kEnd}; }
Item Separator(const char* name = "") { return {Item::kSeparator, name}; }

// The menu bar; MnuLoadFile(0-4), MnuApp(0-9) and sep001 are filled in by
// the code below the table.
const std::vector<Item>& MenuTable() {
  static const std::vector<Item> table = {
      Menu("MnuFile", "ファイル(&F)"),
      Command("MnuLoad", "ファイルの読み込み...", "Ctrl+O"),
      Command("MnuTuikaLoad", "ファイルの追加読み込み..."),
      Separator(),
      Command("MnuSave", "ファイルの保存...", "Ctrl+S"),
      Menu("MnuFileSve", "ファイルの保存"),
      Command("MnuCRsave", "改行コードを ＣＲ で保存..."),
      Command("MnuLFsave", "改行コードを ＬＦ で保存..."),
      End(),
      Separator(),
      Command("MnuPrintSet", "プリンターの設定..."),
      Command("MnuPrint", "印刷...", "Ctrl+P"),
      Separator(),
      Command("MnuCrear", "クリア"),
      Separator("sep001"),  // followed by the recent files
      Separator(),
      Command("MnuEnd", "Kovrelを閉じる"),
      End(),

      Menu("MnuEdit", "編集(&E)"),
      Menu("MnuCdHenkan", "変換"),
      Command("MnuCv", "コード変換..."),
      Command("MnuFileIs", "ファイル比較..."),
      Command("MnuCvED", "コード変集..."),
      End(),
      Separator(),
      Command("MnuKensaku", "検索...", "Ctrl+F"),
      Command("MnuHenkan", "置換...", "Ctrl+H"),
      Command("MnuSeigyo", "制御文字編集..."),
      Separator(),
      Command("MnuFont", "フォント..."),
      End(),

      Menu("MnuKeishikiHenkan", "形式変換(&R)"),
      Menu("MnuFmt", "データフォーマット"),
      Command("MnuHolFmt", "穴データ..."),
      Command("MnuGbrFmt", "ガーバーデータ..."),
      Command("MnuWirFmt", "ワイヤーカットデータ"),
      Hidden("MnuFUNACfmt", "ワイヤーFUNAC"),
      Command("MnuLuter", "ルーターデータ..."),
      End(),
      Menu("MnuAna", "穴データ形式変換"),
      Hidden("MnuHolVeiw", "リストビュー表示"),
      Command("MnuHolGcode", "穴データをGコードへ"),
      Command("MnuHolDxf", "穴データをDXFへ"),
      Command("MnuDlrExcel", "穴データをエクセルへ..."),
      End(),
      Menu("MnuGcode", "Gコード形式変換"),
      Hidden("MnuGcodeView", "リストビュー表示"),
      Command("MnuNcDxf", "GコードをDXFへ"),
      Command("MnuNcGbr", "Gコードをガーバーへ..."),
      Command("MnuGHpgl", "GコードをHPGLへ"),
      Hidden("MnuGcodeSeiri", "Gコードの並べ替え"),
      End(),
      Menu("MnuDxf", "DXF形式変換"),
      Command("MnuDxfNc", "DXFをGコードへ"),
      Command("MnuDxsDlir", "DXFを穴データへ"),
      End(),
      Menu("MnuHpg", "HPGL形式変換"),
      Command("MnuHpgl", "HPGLをGコードへ"),
      End(),
      Hidden("MnuWcMc", "ワイヤーをミーリングへ"),
      End(),

      Command("MnuGrph", "グラフィック(&G)"),

      Menu("MnuMacro", "マクロ(&M)"),
      Command("MnuSetMacro", "操作マクロの登録..."),
      Command("MnuRunMacro", "操作マクロの実行"),
      End(),

      Menu("MnuOption", "アプリ(&A)"),
      Command("MnuWWW", "ブラウザの選択..."),
      Command("MnuAppSet", "外部アプリの設定..."),
      Menu("MnuApl", "外部アプリ"),
      Command("MnuTavrin", "Tavrin"),
      Separator("MnuApps"),  // followed by MnuApp(0) to MnuApp(9)
      End(),
      End(),

      Menu("MnuHlp", "ヘルプ(&H)"),
      Command("MnuRead", "ReadMeの表示"),
      Command("MnuLinkKovrel", "ソフトウェアの更新情報を確認"),
      Command("MnuVer", "バージョン情報"),
      End(),
  };
  return table;
}

}  // namespace

void EditFrm::BuildMenus() {
  std::vector<QMenu*> open;  // the submenus being filled
  const auto add_action = [&](QAction* action) {
    if (open.empty()) {
      menuBar()->addAction(action);
    } else {
      open.back()->addAction(action);
    }
  };
  for (const Item& item : MenuTable()) {
    switch (item.kind) {
      case Item::kMenu: {
        auto* menu = new QMenu(item.caption, open.empty() ? static_cast<QWidget*>(menuBar()) : open.back());
        menu->setObjectName(item.name);
        menu->menuAction()->setObjectName(item.name);
        add_action(menu->menuAction());
        open.push_back(menu);
        if (QString(item.name) == "MnuMacro") macro_menu_ = menu;
        break;
      }
      case Item::kEnd:
        open.pop_back();
        break;
      case Item::kSeparator: {
        QAction* separator = open.back()->addSeparator();
        const QString name = item.name;
        if (name == "sep001") {
          separator->setObjectName(name);
          separator->setVisible(false);
          recent_separator_ = separator;
          for (int i = 0; i < kRecentCount; ++i) {
            auto* recent = new QAction(QString("&%1").arg(i + 1), this);
            recent->setObjectName(QString("MnuLoadFile(%1)").arg(i));
            recent->setVisible(false);
            connect(recent, &QAction::triggered, this, [this, i] { OpenRecentCommand(i); });
            open.back()->addAction(recent);
            recent_items_[static_cast<std::size_t>(i)] = recent;
          }
        } else if (name == "MnuApps") {
          for (int i = 0; i < 10; ++i) {
            auto* app = new QAction(i == 0 ? QString("なし") : QString(), this);
            app->setObjectName(QString("MnuApp(%1)").arg(i));
            app->setVisible(i == 0);
            app->setEnabled(false);
            open.back()->addAction(app);
            app_items_[static_cast<std::size_t>(i)] = app;
          }
        }
        break;
      }
      case Item::kCommand: {
        auto* action = new QAction(item.caption, this);
        action->setObjectName(item.name);
        if (*item.shortcut != '\0') action->setShortcut(QKeySequence(item.shortcut));
        action->setVisible(!item.hidden);
        action->setEnabled(false);  // until WireCommand connects its command
        add_action(action);
        break;
      }
    }
  }
}

QAction* EditFrm::MenuItem(const QString& name) const { return findChild<QAction*>(name); }

void EditFrm::WireCommand(const QString& name, std::function<void()> command) {
  QAction* action = MenuItem(name);
  if (action == nullptr) return;
  action->setEnabled(true);
  connect(action, &QAction::triggered, this, [this, command = std::move(command)] { Guard(services_.prompter, command); });
}

}  // namespace kovrel
