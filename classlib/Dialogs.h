// The open-file dialog and the plain message form (ShowMessage and CreateMessageDialog, declared
// in Forms.h).
#pragma once

#include <string>

#include "Forms.h"

class TOpenDialog : public TComponent {
  DECLARE_CLASS(TOpenDialog, TComponent)
 public:
  explicit TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}
  // Runs the dialog; true when a file was picked, whose path FileName then holds. The default
  // options let the dialog make the picked file's folder the current one.
  bool Execute();
  // Pairs of title and patterns, all separated by "|".
  std::string Filter() const { return filter_; }
  void SetFilter(std::string Value) { filter_ = std::move(Value); }
  std::string FileName() const { return fileName_; }
  void SetFileName(std::string Value) { fileName_ = std::move(Value); }
  std::string InitialDir() const { return initialDir_; }
  void SetInitialDir(std::string Value) { initialDir_ = std::move(Value); }
  std::string Title() const { return title_; }
  void SetTitle(std::string Value) { title_ = std::move(Value); }

 private:
  std::string filter_, fileName_, initialDir_, title_;
};

// The form that ShowMessage shows: the text in a label and an OK button.
class TMessageForm : public TForm {
  DECLARE_CLASS(TMessageForm, TForm)
 public:
  explicit TMessageForm(TComponent* AOwner) : TForm(AOwner, true) {}
};
