// The dump: the state of the user interface as UTF-8 JSON.
#include <cctype>
#include <cstdio>
#include <string>

#include "platform/vcl/backend.h"
#include "platform/vcl/desktop.h"

namespace vcl::detail {
namespace {

class Json {
 public:
  void open(char bracket) {
    separate();
    out_ += bracket;
    first_ = true;
  }
  void close(char bracket) {
    out_ += bracket;
    first_ = false;
  }
  void key(const char* name) {
    separate();
    str(name);
    out_ += ':';
    first_ = true;
  }
  void value(const std::string& utf8) {
    separate();
    str(utf8);
  }
  void ansi(const AnsiString& text) { value(rtl::ansi_to_utf8(text)); }
  void number(long long n) {
    separate();
    out_ += std::to_string(n);
  }
  void boolean(bool b) {
    separate();
    out_ += b ? "true" : "false";
  }
  void null() {
    separate();
    out_ += "null";
  }
  void field(const char* name, const AnsiString& text) { key(name); ansi(text); }
  void field(const char* name, long long n) { key(name); number(n); }
  void field(const char* name, int n) { key(name); number(n); }
  void field_bool(const char* name, bool b) { key(name); boolean(b); }
  void list(const char* name, const std::vector<AnsiString>& items) {
    key(name);
    open('[');
    for (const auto& item : items) ansi(item);
    close(']');
  }
  std::string take() { return std::move(out_); }

 private:
  void separate() {
    if (!first_) out_ += ',';
    first_ = false;
  }
  void str(const std::string& s) {
    out_ += '"';
    for (unsigned char c : s) {
      switch (c) {
        case '"': out_ += "\\\""; break;
        case '\\': out_ += "\\\\"; break;
        case '\n': out_ += "\\n"; break;
        case '\r': out_ += "\\r"; break;
        case '\t': out_ += "\\t"; break;
        default:
          if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out_ += buf;
          } else {
            out_ += static_cast<char>(c);
          }
      }
    }
    out_ += '"';
  }
  std::string out_;
  bool first_ = true;
};

class ChoicesJson : public TChoicesWriter {
 public:
  explicit ChoicesJson(Json& json) : json_(json) {}
  void AddString(const char* name, const AnsiString& value) override { json_.field(name, value); }
  void AddBoolean(const char* name, bool value) override { json_.field_bool(name, value); }
  void AddInteger(const char* name, long long value) override { json_.field(name, value); }

 private:
  Json& json_;
};

std::vector<AnsiString> font_style(TFontStyles style) {
  std::vector<AnsiString> out;
  if (style & fsBold) out.push_back("bold");
  if (style & fsItalic) out.push_back("italic");
  if (style & fsUnderline) out.push_back("underline");
  if (style & fsStrikeOut) out.push_back("strikeout");
  return out;
}

void control_json(Json& j, TControl& c) {
  j.open('{');
  j.field("name", c.Name());
  j.field("class", c.ClassName());
  j.field("parent", c.Parent() ? c.Parent()->Name() : AnsiString());
  j.field("left", c.Left());
  j.field("top", c.Top());
  j.field("width", c.Width());
  j.field("height", c.Height());
  j.field_bool("visible", c.Visible());
  j.field_bool("enabled", c.Enabled());
  const bool has_caption = dynamic_cast<TButton*>(&c) || dynamic_cast<TLabel*>(&c) || dynamic_cast<TCheckBox*>(&c) ||
                           dynamic_cast<TRadioGroup*>(&c) || dynamic_cast<TGroupBox*>(&c) || dynamic_cast<TPanel*>(&c);
  if (has_caption) j.field("caption", c.Caption());
  if (auto* e = dynamic_cast<TEdit*>(&c)) j.field("text", e->Text());
  if (auto* m = dynamic_cast<TMemo*>(&c)) j.list("lines", m->Lines->Items());
  if (auto* k = dynamic_cast<TCheckBox*>(&c)) j.field_bool("checked", k->Checked());
  if (auto* cb = dynamic_cast<TComboBox*>(&c)) j.field("text", cb->Text());
  if (auto* items = dynamic_cast<TItemsControl*>(&c)) {
    j.list("items", items->Items->Items());
    j.field("itemIndex", items->ItemIndex());
  }
  if (auto* p = dynamic_cast<TProgressBar*>(&c)) {
    j.field("position", p->Position());
    j.field("min", p->Min());
    j.field("max", p->Max());
  }
  if (auto* d = dynamic_cast<TDriveComboBox*>(&c)) {
    j.field("drive", d->Drive() ? AnsiString(1, d->Drive()) : AnsiString());
    j.list("items", d->ItemTexts());
    j.field("itemIndex", d->ItemIndex());
  }
  if (auto* d = dynamic_cast<TDirectoryListBox*>(&c)) {
    j.field("directory", d->Directory());
    j.field("drive", d->Drive() ? AnsiString(1, static_cast<char>(std::tolower(static_cast<unsigned char>(d->Drive())))) : AnsiString());
    j.list("items", d->ItemTexts());
    j.field("itemIndex", d->ItemIndex());
  }
  if (!dynamic_cast<TImage*>(&c) && !dynamic_cast<TProgressBar*>(&c)) {
    j.field("fontSize", c.GetFont().Size());
    j.list("fontStyle", font_style(c.GetFont().Style()));
  }
  j.close('}');
}

void form_json(Json& j, TForm& f, const AnsiString* box_text) {
  j.open('{');
  j.field("name", f.Name());
  j.field("class", f.ClassName());
  j.field("caption", f.Caption());
  j.field_bool("visible", f.Visible());
  j.field_bool("enabled", f.Enabled());
  j.field_bool("modal", f.Modal());
  j.field("left", f.Left());
  j.field("top", f.Top());
  j.field("clientWidth", f.ClientWidth());
  j.field("clientHeight", f.ClientHeight());
  if (box_text) {
    std::vector<AnsiString> buttons;
    for (TControl* c : f.AllControls()) {
      if (dynamic_cast<TButton*>(c)) buttons.push_back(c->Name());
    }
    j.field("text", *box_text);
    j.list("buttons", buttons);
  }
  j.key("controls");
  j.open('[');
  for (TControl* c : f.AllControls())
    if (!c->Name().empty()) control_json(j, *c);
  j.close(']');
  j.close('}');
}

}  // namespace

std::string Desktop::DumpJson() {
  Json j;
  j.open('{');
  j.key("screen");
  j.open('{');
  j.field("width", backend().ScreenWidth());
  j.field("height", backend().ScreenHeight());
  j.field("cursor", Screen->Cursor());
  j.close('}');
  j.key("application");
  j.open('{');
  j.field("title", app_.Title());
  j.close('}');
  j.key("active");
  if (TForm* active = ActiveForm()) j.ansi(active->Name());
  else j.null();
  j.key("forms");
  j.open('[');
  for (TForm* f : app_.Forms()) form_json(j, *f, nullptr);
  for (std::size_t i = 0; i < boxes_.size(); ++i) form_json(j, *boxes_[i], &box_texts_[i]);
  j.close(']');
  j.key("choices");
  j.open('{');
  if (app_.ChoicesProvider()) {
    ChoicesJson writer(j);
    app_.ChoicesProvider()(writer);
  }
  j.close('}');
  j.close('}');
  return j.take() + "\n";
}

void Desktop::WriteDump(const std::string& path, std::string& error) {
  const std::string json = DumpJson();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    error = "cannot write " + path;
    return;
  }
  const bool ok = std::fwrite(json.data(), 1, json.size(), file) == json.size();
  if (std::fclose(file) != 0 || !ok) error = "cannot write " + path;
}

}  // namespace vcl::detail
