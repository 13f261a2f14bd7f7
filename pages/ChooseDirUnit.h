// The directory browser of the destination page.
#pragma once

#include "shell/MainUnit.h"

class TfrmChooseDir : public TfrmMain {
 public:
  explicit TfrmChooseDir(vcl::TComponent* owner);

  vcl::TLabel* Label5;
  vcl::TLabel* lbFullPath;
  vcl::TLabel* Label6;
  vcl::TEdit* edXWordFolder;
  vcl::TLabel* Label2;
  vcl::TDirectoryListBox* DirectoryListBox1;
  vcl::TLabel* Label1;
  vcl::TDriveComboBox* DriveComboBox1;
  vcl::TLabel* Label3;
  vcl::TLabel* Label4;
  vcl::TButton* btnOK;
  vcl::TButton* btnCancelx;

  // The destination as it stood when the dialog was last activated; Cancel goes back to it.
  rtl::AnsiString SavedSubDir;
  rtl::AnsiString SavedBaseDir;

  void FormCreate(vcl::TObject* Sender) override;
  // Every change of folder name, directory or drive, and every show, sets the target.
  void DriveComboBox1Change(vcl::TObject* Sender);
  void FormActivate(vcl::TObject* Sender);
  void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action) override;
  void btnOKClick(vcl::TObject* Sender);
  void btnCancelxClick(vcl::TObject* Sender);
  // While the drive list has the focus, an unreadable drive sends the list back to C
  // without a message.
  void DriveComboBox1Enter(vcl::TObject* Sender);
  void DriveComboBox1Exit(vcl::TObject* Sender);
  void DriveErrorHandler(vcl::TObject* Sender, const rtl::Exception& E);
};

extern TfrmChooseDir* frmChooseDir;
