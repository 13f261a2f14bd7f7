// The standard controls: what a form holds, with the properties and events pages use.
#pragma once

#include <memory>
#include <vector>

#include "platform/rtl/drive_directory.h"
#include "platform/vcl/classes.h"

namespace vcl {

class TForm;
class TWinControl;

namespace detail {
class Peer;
}  // namespace detail

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Width in pixels of one line of text in a font, as a canvas measures it for layout
// computed at run time; '&' accelerators are not counted, as on a caption.
int TextWidth(const TFont& font, const AnsiString& text);

// Anything drawn on a form. Properties set from code raise no user event unless the
// property says otherwise; the events fire for what a person (or a script) does.
class TControl : public TComponent {
 public:
  TControl();
  ~TControl() override;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  TWinControl* Parent() const { return parent_; }
  // The form the control lives on (the form itself for a form).
  TForm* Form() const { return form_; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  virtual void SetBounds(int left, int top, int width, int height);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  // Visible and enabled together with every parent up to the form.
  bool Showing() const;
  bool EnabledInTree() const;

  const AnsiString& Caption() const { return caption_; }
  virtual void SetCaption(const AnsiString& caption);
  TFont* Font() { return &font_; }
  const TFont& GetFont() const { return font_; }
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  // Draws the control again at once, without waiting for the loop.
  virtual void Repaint();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;

  // For the renderer.
  detail::Peer* GetPeer() const { return peer_.get(); }
  void Materialize();
  // Pushes the current state to the screen.
  void Changed();

 protected:
  virtual void FontChanged();
  virtual void AttachTo(TWinControl* parent, TForm* form);

 private:
  friend class TWinControl;
  friend class TForm;
  TWinControl* parent_ = nullptr;
  TForm* form_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  AnsiString caption_;
  TFont font_;
  TColor color_ = clBtnFace;
  TAlign align_ = alNone;
  std::unique_ptr<detail::Peer> peer_;
};

// A control that can hold others and take the focus.
class TWinControl : public TControl {
 public:
  const std::vector<TControl*>& Children() const { return children_; }
  int TabOrder() const { return tab_order_; }
  void SetTabOrder(int order);
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool stop) { tab_stop_ = stop; }
  // Whether the control can have the focus at all (buttons, edits, lists; not panels).
  virtual bool CanFocusKind() const { return false; }
  bool CanFocus() const;
  bool Focused() const;
  // Moves the focus here as a person's click would: OnExit of the previous control, then
  // OnEnter of this one. Raises EInvalidOperation on a hidden or disabled control.
  void SetFocus();
  // Lays out children aligned to the edges after a size change.
  void Realign();

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 private:
  friend class TControl;
  std::vector<TControl*> children_;
  int tab_order_ = -1;
  bool tab_stop_ = true;
};

class TButton : public TWinControl {
 public:
  TButton();
  bool CanFocusKind() const override { return true; }
  // Enter presses the default button of the active form, Escape its cancel button.
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  // Copied into the form's ModalResult before OnClick runs.
  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult value) { modal_result_ = value; }
  // What a click does: the modal result, then OnClick.
  virtual void Click();

 private:
  bool default_ = false;
  bool cancel_ = false;
  TModalResult modal_result_ = mrNone;
};

class TLabel : public TControl {
 public:
  TLabel();
  // When set, the label takes the width and height of its caption in its font.
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  void SetCaption(const AnsiString& caption) override;

 protected:
  void FontChanged() override;

 private:
  void adjust_size();
  bool auto_size_ = true;
  bool transparent_ = true;
  TAlignment alignment_ = taLeftJustify;
};

// Memos use bsNone and bsSingle; forms all four.
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };

class TEdit : public TWinControl {
 public:
  TEdit();
  bool CanFocusKind() const override { return true; }
  const AnsiString& Text() const { return text_; }
  // As on the platform, assigning a different text fires OnChange.
  void SetText(const AnsiString& text);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool value);
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int value) { max_length_ = value; }
  TNotifyEvent OnChange;

 private:
  AnsiString text_;
  bool read_only_ = false;
  int max_length_ = 0;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TWinControl {
 public:
  TMemo();
  bool CanFocusKind() const override { return true; }
  TStrings* const Lines;
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool value);
  TScrollStyle ScrollBars() const { return scroll_bars_; }
  void SetScrollBars(TScrollStyle value);
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle value);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool value);
  TNotifyEvent OnChange;

 private:
  TStringList lines_;
  bool read_only_ = false;
  TScrollStyle scroll_bars_ = ssNone;
  TBorderStyle border_style_ = bsSingle;
  bool word_wrap_ = true;
};

class TCheckBox : public TWinControl {
 public:
  TCheckBox();
  bool CanFocusKind() const override { return true; }
  bool Checked() const { return checked_; }
  // From code: no OnClick.
  void SetChecked(bool value);
  // What a person's click does: toggle, then OnClick.
  void Toggle();
  // taLeftJustify puts the caption left of the box; the platform's default is the right.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 private:
  bool checked_ = false;
  TAlignment alignment_ = taRightJustify;
};

enum TComboBoxStyle { csDropDown, csDropDownList };

// Items with one selected index; -1 selects nothing. Setting ItemIndex from code fires
// no event.
class TItemsControl : public TWinControl {
 public:
  TItemsControl();
  bool CanFocusKind() const override { return true; }
  TStrings* const Items;
  int ItemIndex() const { return item_index_; }
  virtual void SetItemIndex(int index);

 protected:
  virtual void ItemsChanged();
  int item_index_ = -1;

 private:
  TStringList items_;
};

class TComboBox : public TItemsControl {
 public:
  TComboBox();
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle value);
  const AnsiString& Text() const { return text_; }
  // Text of the edit part; selects the matching item. No event.
  void SetText(const AnsiString& text);
  // The item's text goes into the edit part; -1 empties it. No event.
  void SetItemIndex(int index) override;
  TNotifyEvent OnChange;

 protected:
  void ItemsChanged() override;

 private:
  TComboBoxStyle style_ = csDropDown;
  AnsiString text_;
};

class TListBox : public TItemsControl {
 public:
  TListBox();
};

class TRadioGroup : public TItemsControl {
 public:
  TRadioGroup();
};

class TGroupBox : public TWinControl {
 public:
  TGroupBox();
};

enum TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
 public:
  TPanel();
  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut value);
  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 private:
  TBevelCut bevel_outer_ = bvRaised;
  TBevelCut bevel_inner_ = bvNone;
  TAlignment alignment_ = taCenter;
};

class TImage : public TControl {
 public:
  TImage();
  TPicture* Picture() { return &picture_; }
  const TPicture& GetPicture() const { return picture_; }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);

 private:
  TPicture picture_;
  bool stretch_ = false;
};

// Repaints itself at once whenever its position changes, so a run that processes no
// input still shows its progress.
class TProgressBar : public TWinControl {
 public:
  TProgressBar();
  int Min() const { return min_; }
  int Max() const { return max_; }
  // Kept within Min..Max as the platform's bar keeps it.
  int Position() const { return position_; }
  void SetMin(int value);
  void SetMax(int value);
  void SetPosition(int value);

 private:
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
};

class TDirectoryListBox;

// The machine's drives; picking one moves the linked directory list to that drive's
// current directory. Drive letters are lower case, as the list shows them.
class TDriveComboBox : public TWinControl {
 public:
  TDriveComboBox();
  bool CanFocusKind() const override { return true; }
  char Drive() const { return drive_; }
  // Also from code: moves the linked list and fires OnChange when the drive changes.
  // Raises EInOutError (and leaves the drive chosen) when it cannot be read.
  void SetDrive(char letter);
  TDirectoryListBox* DirList() const { return dir_list_; }
  void SetDirList(TDirectoryListBox* list);
  // The drive lines as shown ("c: [SYSTEM]").
  std::vector<AnsiString> ItemTexts() const;
  int ItemIndex() const;
  TNotifyEvent OnChange;

 protected:
  void AttachTo(TWinControl* parent, TForm* form) override;

 private:
  friend class TDirectoryListBox;
  void refresh();
  char drive_ = 0;
  TDirectoryListBox* dir_list_ = nullptr;
  std::vector<rtl::DriveInfo> drives_;
};

// One drive's folder tree down to the current directory and its subfolders.
class TDirectoryListBox : public TWinControl {
 public:
  TDirectoryListBox();
  bool CanFocusKind() const override { return true; }
  // A full path without a trailing backslash; a drive root keeps its backslash.
  const AnsiString& Directory() const { return directory_; }
  // Also from code: navigates (switching the linked drive list) and fires OnChange when
  // the directory changes. Raises EInOutError for a folder that does not exist.
  void SetDirectory(const AnsiString& path);
  // The folder SetDirectory(path) opens: relative to Directory, "." and ".." resolved.
  AnsiString ExpandedPath(const AnsiString& path) const;
  char Drive() const { return directory_.empty() ? 0 : directory_[0]; }
  void SetDrive(char letter);
  // What the list shows: the root, each folder down to the current one, its subfolders.
  const std::vector<AnsiString>& ItemTexts() const { return items_; }
  int ItemIndex() const { return current_index_; }
  // The full path of item `index`.
  AnsiString ItemPath(int index) const;
  TNotifyEvent OnChange;

 protected:
  void AttachTo(TWinControl* parent, TForm* form) override;

 private:
  friend class TDriveComboBox;
  void load_if_needed();
  void navigate(const AnsiString& path, bool from_drive_list);
  AnsiString directory_;
  std::vector<AnsiString> items_;
  int current_index_ = -1;
  TDriveComboBox* drive_list_ = nullptr;
  std::vector<std::pair<char, AnsiString>> drive_dirs_;
};

}  // namespace vcl
