// The summary page, which hands over to the installation run.
#pragma once

#include "shell/MainUnit.h"

class TfrmStartCopying : public TfrmMain {
 public:
  explicit TfrmStartCopying(vcl::TComponent* owner);

  vcl::TLabel* Label1;
  vcl::TMemo* Memo2;
  vcl::TButton* btnBack;

  void FormCreate(vcl::TObject* Sender) override;
  // Rebuilds the settings on every activation, so they are those of the moment.
  void FormActivate(vcl::TObject* Sender);
  void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action) override;
  void btnNextClick(vcl::TObject* Sender) override;
  void btnBackClick(vcl::TObject* Sender);
};

extern TfrmStartCopying* frmStartCopying;
