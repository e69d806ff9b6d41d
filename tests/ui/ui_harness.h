// One editor window with fake settings, prompts and launcher, for the
// window tests.
#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "core/edit_module.h"
#include "core/file_io.h"
#include "core/settings_store.h"
#include "support/temp_folder.h"
#include "ui/editor/edit_frm.h"
#include "ui/testing/recording_launcher.h"
#include "ui/testing/scripted_prompter.h"
#include "ui/editor/text_editor.h"

namespace kovrel {

// One window with its fakes.
struct Harness {
  Harness() {
    module.ProgDir = home.path();
    module.SysDir = home.path() + "export/";
    frm = std::make_unique<EditFrm>(EditServices{module, settings, prompter, launcher});
  }
  void Start(const std::vector<std::string>& args = {}) {
    frm->StartUp(args);
    frm->show();
  }
  QAction* Item(const char* name) const {
    QAction* action = frm->MenuItem(name);
    if (action == nullptr) qFatal("no menu item %s", name);
    return action;
  }
  std::string Text() const { return frm->editor()->DocumentText(); }
  std::string Setting(const char* key) const { return GetSetting(settings, "Kovrel", key, "<missing>"); }
  // Writes a Shift-JIS file in the temporary folder and returns its path.
  QString File(const std::string& name, const std::string& bytes) const {
    WriteFileBytes(files / name, bytes);
    return QString::fromStdString(files / name);
  }

  testing_support::TempFolder home;
  testing_support::TempFolder files;
  EditModule module;
  MemorySettingsStore settings;
  ScriptedPrompter prompter;
  RecordingLauncher launcher;
  std::unique_ptr<EditFrm> frm;
};

// A control of a window shown through the scripted prompter.
template <typename T>
T* Control(QDialog& dialog, const char* name) {
  T* control = dialog.findChild<T*>(name);
  if (control == nullptr) qFatal("no control %s", name);
  return control;
}

// Clicks a button near its left end, where an option button's mark is.
inline void Click(QDialog& dialog, const char* name) {
  auto* button = Control<QAbstractButton>(dialog, name);
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(8, button->height() / 2));
}

inline bool Enabled(QDialog& dialog, const char* name) { return Control<QWidget>(dialog, name)->isEnabled(); }

}  // namespace kovrel
