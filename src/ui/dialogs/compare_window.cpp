// FileIsFrm.
#include "ui/dialogs/compare_window.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "core/cp932.h"
#include "core/edit_module.h"
#include "core/file_io.h"
#include "ui/dialogs/named_controls.h"
#include "ui/editor/edit_frm.h"
#include "ui/editor/text_editor.h"
#include "ui/platform/prompter.h"
#include "ui/platform/window_guard.h"

namespace kovrel {

FileIsFrm::FileIsFrm(EditFrm& frm) : QDialog(&frm), frm_(frm) {
  setObjectName("FileIsFrm");
  setWindowTitle("ファイル比較");
  setModal(true);
  Prompter& prompter = frm.services().prompter;

  auto* layout = new QGridLayout(this);
  const char* captions[] = {"比較元のファイル", "比較先のファイル"};
  for (int side = 0; side < 2; ++side) {
    const auto i = static_cast<std::size_t>(side);
    text1_[i] = Named(new QLineEdit(this), Indexed("Text1", side));
    text1_[i]->setReadOnly(true);  // the path changes only by choosing a file
    auto* browse = CommandButton("参照", Indexed("Command1", side), this);
    panes_[i] = new TextEditor(this);
    panes_[i]->setObjectName(Indexed("RichTextBox1", side));
    panes_[i]->setReadOnly(true);
    panes_[i]->setAcceptDrops(false);
    auto* path_row = new QHBoxLayout();
    path_row->addWidget(text1_[i], 1);
    path_row->addWidget(browse);
    layout->addWidget(Named(new QLabel(captions[side], this), Indexed("Label2", side)), 0, side);
    layout->addLayout(path_row, 1, side);
    layout->addWidget(panes_[i], 2, side);
    ConnectGuarded(browse, &QPushButton::clicked, this, prompter, [this, side] { Choose(side); });
  }
  layout->setRowStretch(2, 1);

  auto* format = new QGroupBox("表示形式", this);
  option1_[0] = Named(new QRadioButton("テキスト形式", format), "Option1(0)");
  option1_[1] = Named(new QRadioButton("１６進形式", format), "Option1(1)");
  auto* group = new QButtonGroup(this);
  auto* format_layout = new QHBoxLayout(format);
  for (QRadioButton* option : option1_) {
    group->addButton(option);
    format_layout->addWidget(option);
    option->setEnabled(false);
    ConnectGuarded(option, &QRadioButton::clicked, this, prompter, [this] { ShowFormat(); });
  }
  option1_[0]->setChecked(true);
  command2_ = CommandButton("実行", "Command2", this);
  command2_->setEnabled(false);
  ConnectGuarded(command2_, &QPushButton::clicked, this, prompter, [this] { Compare(); });
  auto* bottom = new QHBoxLayout();
  bottom->addWidget(format);
  bottom->addStretch();
  bottom->addWidget(command2_);
  layout->addLayout(bottom, 3, 0, 1, 2);
  resize(760, 520);
}

bool FileIsFrm::Hexadecimal() const { return option1_[1]->isChecked(); }

void FileIsFrm::Choose(int side) {
  const auto path = frm_.services().prompter.OpenFileName(kAllFilesFilter, QString());
  if (!path) return;
  // Copy and dump first; a file that cannot be read or copied leaves the
  // side as it was (its path, its copy and its pane) and is reported.
  ComparedFile file = PrepareComparedFile(frm_.services().module.ProgDir, side, path->toStdString());
  const auto i = static_cast<std::size_t>(side);
  files_[i] = std::move(file);
  text1_[i]->setText(*path);
  LoadPane(side);
  if (files_[0] && files_[1]) {
    option1_[0]->setEnabled(true);
    option1_[1]->setEnabled(true);
  }
}

void FileIsFrm::LoadPane(int side) {
  const auto& file = files_[static_cast<std::size_t>(side)];
  TextEditor* pane = panes_[static_cast<std::size_t>(side)];
  if (!file) {
    pane->LoadText("");
  } else if (Hexadecimal()) {
    pane->LoadText(file->dump);
  } else {
    pane->LoadText(DecodeCp932(file->bytes));
  }
}

void FileIsFrm::ShowFormat() {
  LoadPane(0);
  LoadPane(1);
  // Comparing works on the dumps only.
  command2_->setEnabled(Hexadecimal());
}

void FileIsFrm::Compare() {
  Prompter& prompter = frm_.services().prompter;
  try {
    std::array<std::string, 2> texts;
    for (std::size_t i = 0; i < 2; ++i) {
      texts[i] = panes_[i]->DocumentText();
      EncodeCp932InPlace(texts[i]);
      WriteFileBytes(WorkPath(frm_.services().module.ProgDir, "bak3" + std::to_string(i)), texts[i]);
    }
    const auto difference = FirstDifference(texts[0], texts[1]);
    if (!difference) {
      prompter.Message("比較を完了しました。", Buttons::kOk, Icon::kNone);
      return;
    }
    // The panes hold dumps: one byte is one character.
    if (const auto mark = MarkedOffset(*difference, texts[0].size(), texts[1].size())) {
      for (TextEditor* pane : panes_) pane->Mark(static_cast<long>(*mark), static_cast<long>(*mark) + 1);
    }
    prompter.Message("ファイルに違いが確認されました。", Buttons::kOk, Icon::kNone);
  } catch (...) {
    prompter.Message("エラーが発生しました。", Buttons::kOk, Icon::kExclamation);
  }
}

}  // namespace kovrel
