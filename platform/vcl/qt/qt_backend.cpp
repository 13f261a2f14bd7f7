// The virtual screen drawn with Qt Widgets: classic frames, colours and fonts, real widgets
// for the controls, and the person's mouse and keyboard turned into script actions.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <new>
#include <cstdlib>
#include <map>

#include "platform/vcl/backend.h"
#include "platform/vcl/desktop.h"
#include "platform/vcl/forms.h"

namespace vcl::detail {
namespace {

// Text crosses into Qt here and nowhere else.
QString qs(const AnsiString& ansi) { return QString::fromStdU16String(rtl::ansi_to_utf16(ansi)); }

std::string utf8(const QString& text) { return text.toStdString(); }

QColor classic(TColor color) {
  switch (color) {
    case clBtnFace: return QColor(0xC0, 0xC0, 0xC0);
    case clWindow: return QColor(0xFF, 0xFF, 0xFF);
    case clWindowText:
    case clBtnText: return QColor(0, 0, 0);
    default: break;
  }
  if (color & 0x80000000u) return QColor(0xC0, 0xC0, 0xC0);
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF), static_cast<int>((color >> 16) & 0xFF));
}

const QColor kFace(0xC0, 0xC0, 0xC0), kLight(0xDF, 0xDF, 0xDF), kHighlight(0xFF, 0xFF, 0xFF), kShadow(0x80, 0x80, 0x80),
    kDark(0, 0, 0), kNavy(0, 0, 0x80);

// The platform's fonts by the families installed here; sizes in pixels at 96 dpi so that
// the metrics do not depend on what the display reports.
QFont qfont(const TFont& font) {
  static std::map<std::string, QFont> cache;
  const std::string key = font.Name() + "|" + std::to_string(font.Size()) + "|" + std::to_string(font.Style());
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  QString family = qs(font.Name());
  const QString lower = family.toLower();
  if (lower == "ms sans serif" || lower == "arial" || lower == "tahoma" || lower == "ms shell dlg") family = "Liberation Sans";
  else if (lower == "times new roman") family = "Liberation Serif";
  else if (lower == "courier new" || lower == "courier") family = "Liberation Mono";
  QFont q(family);
  q.setPixelSize(std::max(1, static_cast<int>(std::lround(font.Size() * 96.0 / 72.0))));
  q.setBold(font.Style() & fsBold);
  q.setItalic(font.Style() & fsItalic);
  q.setUnderline(font.Style() & fsUnderline);
  q.setStrikeOut(font.Style() & fsStrikeOut);
  q.setHintingPreference(QFont::PreferNoHinting);
  q.setStyleStrategy(QFont::NoSubpixelAntialias);
  cache.emplace(key, q);
  return q;
}

// A caption without its accelerator marks ("&&" stays one '&').
QString plain_caption(const AnsiString& caption) {
  AnsiString out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&', ++i;
      continue;
    }
    out += caption[i];
  }
  return qs(out);
}

void bevel(QPainter& p, const QRect& r, const QColor& top_left, const QColor& bottom_right) {
  p.setPen(top_left);
  p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
  p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
  p.setPen(bottom_right);
  p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  p.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

TControl* control_of(QObject* object) {
  for (QObject* o = object; o; o = o->parent()) {
    const QVariant v = o->property("vcl");
    if (v.isValid()) return static_cast<TControl*>(v.value<void*>());
  }
  return nullptr;
}

class FrameWidget : public QWidget {
 public:
  FrameWidget(QWidget* parent, TForm& form) : QWidget(parent), form_(form) {
    client = new QWidget(this);
    client->setAutoFillBackground(true);
  }
  QRect close_box() const {
    const int f = form_.FrameWidth();
    return QRect(width() - f - 2 - 16, f + 2, 16, 14);
  }
  bool has_close_box() const { return form_.BorderStyle() != bsNone && (form_.BorderIcons() & biSystemMenu); }
  QWidget* client;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (form_.BorderStyle() == bsNone) return;
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, kFace);
    bevel(p, r, kLight, kDark);
    bevel(p, r.adjusted(1, 1, -1, -1), kHighlight, kShadow);
    const int f = form_.FrameWidth();
    const bool active = desktop().ActiveForm() == &form_;
    const QRect bar(f, f, width() - 2 * f, form_.CaptionHeight() - 1);
    p.fillRect(bar, active ? kNavy : kShadow);
    TFont title;
    title.SetStyle(fsBold);
    p.setFont(qfont(title));
    p.setPen(active ? QColor(Qt::white) : kFace);
    QRect text = bar.adjusted(3, 0, has_close_box() ? -22 : -3, 0);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, qs(form_.Caption()));
    if (has_close_box()) {
      const QRect b = close_box();
      p.fillRect(b, kFace);
      bevel(p, b, kHighlight, kDark);
      bevel(p, b.adjusted(1, 1, -1, -1), kFace, kShadow);
      p.setPen(QPen(kDark, 1));
      const int x = b.left() + 4, y = b.top() + 3;
      for (int i = 0; i < 7; ++i) {
        p.drawLine(x + i, y + i, x + i + 1, y + i);
        p.drawLine(x + 6 - i, y + i, x + 7 - i, y + i);
      }
    }
  }

 private:
  TForm& form_;
};

class PanelWidget : public QWidget {
 public:
  PanelWidget(QWidget* parent, TPanel& panel) : QWidget(parent), panel_(panel) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QRect r = rect();
    p.fillRect(r, classic(panel_.Color()));
    for (TBevelCut cut : {panel_.BevelOuter(), panel_.BevelInner()}) {
      if (cut == bvNone) continue;
      if (cut == bvLowered) bevel(p, r, kShadow, kHighlight);
      else bevel(p, r, kHighlight, kShadow);
      r.adjust(1, 1, -1, -1);
    }
    if (panel_.Caption().empty()) return;
    p.setFont(qfont(panel_.GetFont()));
    p.setPen(classic(panel_.GetFont().Color()));
    const int align = panel_.Alignment() == taLeftJustify ? Qt::AlignLeft : panel_.Alignment() == taRightJustify ? Qt::AlignRight : Qt::AlignHCenter;
    p.drawText(r, align | Qt::AlignVCenter | Qt::TextSingleLine, plain_caption(panel_.Caption()));
  }

 private:
  TPanel& panel_;
};

class ImageWidget : public QWidget {
 public:
  ImageWidget(QWidget* parent, TImage& image) : QWidget(parent), image_(image) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    const TPicture& pic = image_.GetPicture();
    if (pic.Width() == 0 || pic.Height() == 0) return;
    QImage img(reinterpret_cast<const uchar*>(pic.Pixels().data()), pic.Width(), pic.Height(), pic.Width() * 4,
               QImage::Format_ARGB32);
    QPainter p(this);
    if (image_.Stretch()) p.drawImage(rect(), img);
    else p.drawImage(0, 0, img);
  }

 private:
  TImage& image_;
};

class QtBackend;

class QtPeer : public Peer {
 public:
  QtPeer(QtBackend& backend, TControl& control);
  ~QtPeer() override {
    if (widget_) delete widget_.data();
  }
  void Sync() override;
  void RepaintNow() override {
    if (widget_) widget_->repaint();
  }
  QWidget* widget() const { return widget_; }
  // Where children of this control live.
  QWidget* container() const { return frame_ ? frame_->client : widget_.data(); }
  FrameWidget* frame() const { return frame_; }
  std::vector<QRadioButton*> radios;

 private:
  void sync_common();
  // Refills a list or combo widget only when its texts changed: a refill resets what the
  // widget shows, and every property change of the control syncs it.
  template <class W>
  void show_items(W* widget, const std::vector<AnsiString>& items) {
    if (shown_items_ == items) return;
    shown_items_ = items;
    widget->clear();
    for (const auto& item : items) widget->addItem(qs(item));
  }
  QtBackend& backend_;
  TControl& control_;
  QPointer<QWidget> widget_;
  FrameWidget* frame_ = nullptr;
  std::vector<AnsiString> shown_items_;
};

class QtBackend : public Backend, public QObject {
 public:
  QtBackend() {
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!display || !*display) && (!wayland || !*wayland)) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    screen_size_from_env(width_, height_);
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); !runtime || !*runtime) {
      // Qt wants a private runtime folder and complains on stderr without one.
      const std::string dir = "/tmp/runtime-" + std::to_string(getuid());
      mkdir(dir.c_str(), 0700);
      setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }
    static int argc = 1;
    static char name[] = "setup";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
    const QString platform = QGuiApplication::platformName();
    display_ = platform != "offscreen" && platform != "minimal";
    if (QStyle* style = QStyleFactory::create("Windows")) QApplication::setStyle(style);
    QPalette pal;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
      pal.setColor(group, QPalette::Window, kFace);
      pal.setColor(group, QPalette::Button, kFace);
      pal.setColor(group, QPalette::Base, Qt::white);
      pal.setColor(group, QPalette::AlternateBase, Qt::white);
      pal.setColor(group, QPalette::Light, kHighlight);
      pal.setColor(group, QPalette::Midlight, kLight);
      pal.setColor(group, QPalette::Mid, QColor(0xA0, 0xA0, 0xA0));
      pal.setColor(group, QPalette::Dark, kShadow);
      pal.setColor(group, QPalette::Shadow, kDark);
      pal.setColor(group, QPalette::Highlight, kNavy);
      pal.setColor(group, QPalette::HighlightedText, Qt::white);
      const QColor text = group == QPalette::Disabled ? kShadow : QColor(Qt::black);
      pal.setColor(group, QPalette::WindowText, text);
      pal.setColor(group, QPalette::ButtonText, text);
      pal.setColor(group, QPalette::Text, text);
    }
    QApplication::setPalette(pal);
    QApplication::setFont(qfont(TFont()));
    screen_ = new QWidget();
    screen_->setObjectName("VirtualScreen");
    screen_->setWindowTitle("Setup");
    screen_->setFixedSize(width_, height_);
    screen_->setAutoFillBackground(true);
    QPalette desk = screen_->palette();
    desk.setColor(QPalette::Window, QColor(0, 0x80, 0x80));
    screen_->setPalette(desk);
    screen_->installEventFilter(this);
    app_->installEventFilter(this);
    screen_->show();
  }

  std::unique_ptr<Peer> CreatePeer(TControl& control) override { return std::make_unique<QtPeer>(*this, control); }

  TextSize MeasureText(const TFont& font, const AnsiString& text) override {
    const QFont q = qfont(font);
    const QFontMetricsF metrics(q);
    TextSize size;
    const QStringList lines = plain_caption(text).split('\n');
    for (const QString& line : lines)
      size.width = std::max(size.width, static_cast<int>(std::ceil(metrics.horizontalAdvance(line))));
    size.height = static_cast<int>(std::ceil(metrics.height())) * static_cast<int>(lines.size());
    return size;
  }

  int ScreenWidth() const override { return width_; }
  int ScreenHeight() const override { return height_; }

  void Restack(const std::vector<TForm*>& bottom_to_top) override {
    for (TForm* form : bottom_to_top)
      if (auto* peer = static_cast<QtPeer*>(form->GetPeer()); peer && peer->widget()) peer->widget()->raise();
  }

  void SetCursor(TCursor cursor) override {
    if (cursor == crHourGlass) screen_->setCursor(Qt::WaitCursor);
    else screen_->unsetCursor();
  }

  bool SaveShot(const std::string& path) override {
    QCoreApplication::sendPostedEvents();
    const QPixmap pixmap = screen_->grab();
    return pixmap.save(QString::fromStdString(path), "PNG");
  }

  bool DecodeImage(const std::string& path, int& width, int& height, std::vector<std::uint32_t>& pixels) override {
    QImage image;
    if (!image.load(QString::fromStdString(path))) return false;
    image = image.convertToFormat(QImage::Format_ARGB32);
    width = image.width();
    height = image.height();
    pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
      const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
      std::copy(line, line + width, pixels.begin() + static_cast<long>(y) * width);
    }
    return true;
  }

  bool HasDisplay() const override { return display_; }

  void Flush() override { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

  std::optional<std::string> WaitForPerson() override {
    while (actions_.empty()) {
      if (closed_) return std::nullopt;
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    std::string line = actions_.front();
    actions_.pop_front();
    return line;
  }

  std::deque<std::string>& PersonActions() override { return actions_; }

  void SimulateClick(TControl& control, int item, bool double_click) override {
    auto* peer = static_cast<QtPeer*>(control.GetPeer());
    if (!peer || !peer->widget()) return;
    QWidget* target = peer->widget();
    QPoint point = target->rect().center();
    if (auto* list = qobject_cast<QListWidget*>(target); list && item >= 0) {
      target = list->viewport();
      point = list->visualItemRect(list->item(item)).center();
    } else if (item >= 0 && item < static_cast<int>(peer->radios.size())) {
      target = peer->radios[static_cast<std::size_t>(item)];
      point = target->rect().center();
    }
    auto send = [&](QEvent::Type type) {
      QMouseEvent event(type, QPointF(point), target->mapToGlobal(QPointF(point)), Qt::LeftButton,
                        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(target, &event);
    };
    send(QEvent::MouseButtonPress);
    send(QEvent::MouseButtonRelease);
    if (double_click) {
      send(QEvent::MouseButtonDblClick);
      send(QEvent::MouseButtonRelease);
    }
  }

  void SimulateKeys(TControl& control, const std::string& text) override {
    auto* peer = static_cast<QtPeer*>(control.GetPeer());
    if (!peer || !peer->widget()) return;
    const QString q = QString::fromStdString(text);
    for (const QChar c : q) {
      Qt::Key key = Qt::Key_unknown;
      QString t(c);
      if (c == '\x1b') key = Qt::Key_Escape, t.clear();
      else if (c == '\r') key = Qt::Key_Return, t.clear();
      else if (c == '\t') key = Qt::Key_Tab, t.clear();
      QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, t);
      QApplication::sendEvent(peer->widget(), &event);
    }
  }

  QWidget* screen() const { return screen_; }

  void person(const std::string& line) { actions_.push_back(line); }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (object == screen_ && event->type() == QEvent::Close) {
      closed_ = true;
      return false;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || widget->window() != screen_ || widget == screen_) return QObject::eventFilter(object, event);
    switch (event->type()) {
      case QEvent::ShortcutOverride:
        event->accept();
        return true;
      case QEvent::Shortcut:
        return true;
      case QEvent::KeyPress:
        key(widget, static_cast<QKeyEvent*>(event));
        return true;
      case QEvent::KeyRelease:
        return true;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
        return mouse(widget, static_cast<QMouseEvent*>(event));
      default:
        return QObject::eventFilter(object, event);
    }
  }

 private:
  static std::string name_of(const TControl& c) { return rtl::ansi_to_utf8(c.Name()); }

  void key(QWidget* widget, QKeyEvent* event) {
    TForm* form = desktop().ActiveForm();
    if (!form) return;
    const int k = event->key();
    if (k == Qt::Key_Escape) return person("key Escape");
    if (k == Qt::Key_Return || k == Qt::Key_Enter) return person("key Enter");
    if (k == Qt::Key_Tab) return person("key Tab");
    if (k == Qt::Key_Backspace) return person("key Backspace");
    if ((event->modifiers() & Qt::AltModifier) && ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)))
      return person(std::string("key Alt+") + static_cast<char>(k));
    const QString text = event->text();
    if (text.isEmpty() || !text[0].isPrint()) return;
    // The widget that has the window system's focus is the one the person clicked last.
    auto* focused = dynamic_cast<TWinControl*>(control_of(widget));
    if (!focused || focused->Form() != form) focused = form->ActiveControl();
    // Elsewhere, as on a read-only edit, a keystroke goes nowhere.
    if (!focused || !focused->CanFocus() || !takes_typing(*focused)) return;
    for (const QChar c : text) {
      const std::string one = utf8(QString(c));
      // The code page holds no such character: the keystroke goes nowhere.
      if (!rtl::utf8_fits_ansi(one)) continue;
      person("type " + name_of(*focused) + " " + one);
    }
  }

  bool mouse(QWidget* widget, QMouseEvent* event) {
    for (QWidget* w = widget; w && w != screen_; w = w->parentWidget()) {
      if (auto* frame = dynamic_cast<FrameWidget*>(w)) {
        if (w == widget && frame->has_close_box() && frame->close_box().contains(event->position().toPoint())) {
          if (event->type() == QEvent::MouseButtonRelease) person("close");
          return true;
        }
        break;
      }
    }
    TControl* control = control_of(widget);
    if (!control || dynamic_cast<TForm*>(control)) return true;
    TForm* form = control->Form();
    if (form != desktop().ActiveForm() || !control->EnabledInTree()) return true;
    const std::string name = name_of(*control);
    const auto type = event->type();
    if (dynamic_cast<TButton*>(control) || dynamic_cast<TCheckBox*>(control)) {
      if (type == QEvent::MouseButtonRelease && widget->rect().contains(event->position().toPoint())) person("click " + name);
      return true;
    }
    if (auto* radio = dynamic_cast<TRadioGroup*>(control)) {
      auto* peer = static_cast<QtPeer*>(radio->GetPeer());
      for (std::size_t i = 0; i < peer->radios.size(); ++i)
        if (peer->radios[i] == widget && type == QEvent::MouseButtonPress) person("select " + name + " " + std::to_string(i));
      return true;
    }
    if (dynamic_cast<TListBox*>(control) || dynamic_cast<TDirectoryListBox*>(control)) {
      auto* peer = static_cast<QtPeer*>(control->GetPeer());
      auto* list = qobject_cast<QListWidget*>(peer->widget());
      if (!list || widget != list->viewport()) return true;
      const int row = list->row(list->itemAt(event->position().toPoint()));
      if (row < 0) return true;
      if (auto* dirs = dynamic_cast<TDirectoryListBox*>(control)) {
        if (type == QEvent::MouseButtonDblClick) person("dir " + name + " " + rtl::ansi_to_utf8(dirs->ItemPath(row)));
      } else if (type == QEvent::MouseButtonPress) {
        person("select " + name + " " + std::to_string(row));
      } else if (type == QEvent::MouseButtonDblClick) {
        person("dblclick " + name + " " + std::to_string(row));
      }
      return true;
    }
    if (dynamic_cast<TComboBox*>(control) || dynamic_cast<TDriveComboBox*>(control)) return false;
    if (auto* win = dynamic_cast<TWinControl*>(control); win && win->CanFocus() && type == QEvent::MouseButtonPress) {
      widget->setFocus(Qt::MouseFocusReason);
      person("focus " + name);
    }
    return true;
  }

  std::unique_ptr<QApplication> app_;
  QWidget* screen_ = nullptr;
  int width_ = 1024, height_ = 768;
  bool display_ = false;
  bool closed_ = false;
  std::deque<std::string> actions_;
};

QtPeer::QtPeer(QtBackend& backend, TControl& control) : backend_(backend), control_(control) {
  QWidget* parent = backend.screen();
  if (control.Parent())
    if (auto* pp = static_cast<QtPeer*>(control.Parent()->GetPeer())) parent = pp->container();
  const std::string name = rtl::ansi_to_utf8(control.Name());
  if (auto* form = dynamic_cast<TForm*>(&control)) {
    frame_ = new FrameWidget(parent, *form);
    widget_ = frame_;
  } else if (dynamic_cast<TButton*>(&control)) {
    auto* b = new QPushButton(parent);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    widget_ = b;
  } else if (dynamic_cast<TLabel*>(&control)) {
    widget_ = new QLabel(parent);
  } else if (dynamic_cast<TEdit*>(&control)) {
    widget_ = new QLineEdit(parent);
  } else if (dynamic_cast<TMemo*>(&control)) {
    auto* m = new QPlainTextEdit(parent);
    m->document()->setDocumentMargin(1);
    widget_ = m;
  } else if (dynamic_cast<TCheckBox*>(&control)) {
    auto* c = new QCheckBox(parent);
    c->setFocusPolicy(Qt::NoFocus);
    widget_ = c;
  } else if (dynamic_cast<TComboBox*>(&control) || dynamic_cast<TDriveComboBox*>(&control)) {
    auto* combo = new QComboBox(parent);
    combo->setFocusPolicy(Qt::NoFocus);
    TControl* c = &control;
    QObject::connect(combo, QOverload<int>::of(&QComboBox::activated), combo, [this, c](int index) {
      if (index < 0) return;
      const std::string n = rtl::ansi_to_utf8(c->Name());
      if (auto* drives = dynamic_cast<TDriveComboBox*>(c)) {
        const auto texts = drives->ItemTexts();
        if (index < static_cast<int>(texts.size())) backend_.person("drive " + n + " " + texts[static_cast<std::size_t>(index)].substr(0, 1));
      } else {
        backend_.person("select " + n + " " + std::to_string(index));
      }
      Sync();
    });
    widget_ = combo;
  } else if (dynamic_cast<TListBox*>(&control) || dynamic_cast<TDirectoryListBox*>(&control)) {
    auto* list = new QListWidget(parent);
    list->setFocusPolicy(Qt::NoFocus);
    widget_ = list;
  } else if (dynamic_cast<TRadioGroup*>(&control) || dynamic_cast<TGroupBox*>(&control)) {
    widget_ = new QGroupBox(parent);
  } else if (auto* panel = dynamic_cast<TPanel*>(&control)) {
    widget_ = new PanelWidget(parent, *panel);
  } else if (auto* image = dynamic_cast<TImage*>(&control)) {
    widget_ = new ImageWidget(parent, *image);
  } else if (dynamic_cast<TProgressBar*>(&control)) {
    auto* bar = new QProgressBar(parent);
    bar->setTextVisible(false);
    widget_ = bar;
  } else {
    widget_ = new QWidget(parent);
  }
  widget_->setObjectName(QString::fromStdString(name));
  widget_->setProperty("vcl", QVariant::fromValue<void*>(&control));
}

void QtPeer::sync_common() {
  widget_->setGeometry(control_.Left(), control_.Top(), control_.Width(), control_.Height());
  widget_->setFont(qfont(control_.GetFont()));
  widget_->setEnabled(control_.Enabled());
  widget_->setVisible(control_.Visible());
}

void QtPeer::Sync() {
  if (!widget_) return;
  TControl& c = control_;
  if (auto* form = dynamic_cast<TForm*>(&c)) {
    widget_->setGeometry(form->Left(), form->Top(), form->Width(), form->Height());
    const int f = form->FrameWidth();
    frame_->client->setGeometry(f, f + form->CaptionHeight(), form->ClientWidth(), form->ClientHeight());
    QPalette pal = frame_->client->palette();
    pal.setColor(QPalette::Window, classic(form->Color()));
    frame_->client->setPalette(pal);
    widget_->setVisible(form->Visible());
    widget_->update();
    return;
  }
  sync_common();
  QPalette pal = widget_->palette();
  const QColor text = classic(c.GetFont().Color());
  pal.setColor(QPalette::Active, QPalette::WindowText, text);
  pal.setColor(QPalette::Inactive, QPalette::WindowText, text);
  pal.setColor(QPalette::Active, QPalette::Text, text);
  pal.setColor(QPalette::Inactive, QPalette::Text, text);
  if (auto* b = dynamic_cast<TButton*>(&c)) {
    auto* w = static_cast<QPushButton*>(widget_.data());
    w->setText(qs(b->Caption()));
    w->setShortcut(QKeySequence());
    w->setDefault(b->Default());
  } else if (auto* l = dynamic_cast<TLabel*>(&c)) {
    auto* w = static_cast<QLabel*>(widget_.data());
    w->setText(plain_caption(l->Caption()));
    w->setAlignment((l->Alignment() == taRightJustify ? Qt::AlignRight : l->Alignment() == taCenter ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    w->setAutoFillBackground(!l->Transparent());
    pal.setColor(QPalette::Window, classic(l->Color()));
  } else if (auto* e = dynamic_cast<TEdit*>(&c)) {
    auto* w = static_cast<QLineEdit*>(widget_.data());
    if (w->text() != qs(e->Text())) w->setText(qs(e->Text()));
    w->setReadOnly(e->ReadOnly());
    pal.setColor(QPalette::Base, classic(e->Color()));
  } else if (auto* m = dynamic_cast<TMemo*>(&c)) {
    auto* w = static_cast<QPlainTextEdit*>(widget_.data());
    QStringList lines;
    for (const auto& line : m->Lines->Items()) lines << qs(line);
    const QString joined = lines.join('\n');
    if (w->toPlainText() != joined) w->setPlainText(joined);
    w->setReadOnly(m->ReadOnly());
    w->setFrameShape(m->BorderStyle() == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
    w->setLineWrapMode(m->WordWrap() && m->ScrollBars() != ssHorizontal && m->ScrollBars() != ssBoth ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    const bool vertical = m->ScrollBars() == ssVertical || m->ScrollBars() == ssBoth;
    const bool horizontal = m->ScrollBars() == ssHorizontal || m->ScrollBars() == ssBoth;
    w->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    w->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    pal.setColor(QPalette::Base, classic(m->Color()));
    pal.setColor(QPalette::Window, classic(m->Color()));
  } else if (auto* k = dynamic_cast<TCheckBox*>(&c)) {
    auto* w = static_cast<QCheckBox*>(widget_.data());
    w->setText(qs(k->Caption()));
    w->setShortcut(QKeySequence());
    w->setChecked(k->Checked());
    w->setLayoutDirection(k->Alignment() == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
  } else if (auto* cb = dynamic_cast<TComboBox*>(&c)) {
    auto* w = static_cast<QComboBox*>(widget_.data());
    show_items(w, cb->Items->Items());
    w->setEditable(cb->Style() == csDropDown);
    w->setCurrentIndex(cb->ItemIndex());
    if (w->isEditable()) w->setEditText(qs(cb->Text()));
    pal.setColor(QPalette::Base, classic(cb->Color()));
  } else if (auto* d = dynamic_cast<TDriveComboBox*>(&c)) {
    auto* w = static_cast<QComboBox*>(widget_.data());
    show_items(w, d->ItemTexts());
    w->setCurrentIndex(d->ItemIndex());
  } else if (auto* lb = dynamic_cast<TListBox*>(&c)) {
    auto* w = static_cast<QListWidget*>(widget_.data());
    show_items(w, lb->Items->Items());
    w->setCurrentRow(lb->ItemIndex());
    pal.setColor(QPalette::Base, classic(lb->Color()));
  } else if (auto* dl = dynamic_cast<TDirectoryListBox*>(&c)) {
    auto* w = static_cast<QListWidget*>(widget_.data());
    std::vector<AnsiString> shown;
    const auto& items = dl->ItemTexts();
    for (std::size_t i = 0; i < items.size(); ++i) {
      const int depth = std::min(static_cast<int>(i), dl->ItemIndex() + 1);
      shown.push_back(AnsiString(static_cast<std::size_t>(depth) * 3, ' ') + items[i]);
    }
    show_items(w, shown);
    w->setCurrentRow(dl->ItemIndex());
  } else if (auto* rg = dynamic_cast<TRadioGroup*>(&c)) {
    auto* w = static_cast<QGroupBox*>(widget_.data());
    w->setTitle(qs(rg->Caption()));
    const int count = rg->Items->Count();
    while (static_cast<int>(radios.size()) > count) {
      delete radios.back();
      radios.pop_back();
    }
    while (static_cast<int>(radios.size()) < count) {
      auto* r = new QRadioButton(w);
      r->setAutoExclusive(false);
      r->setFocusPolicy(Qt::NoFocus);
      r->show();
      radios.push_back(r);
    }
    const int top = 14, usable = std::max(0, c.Height() - top - 4);
    const int step = count ? usable / count : 0;
    for (int i = 0; i < count; ++i) {
      QRadioButton* r = radios[static_cast<std::size_t>(i)];
      r->setText(qs(rg->Items->Strings(i)));
      r->setShortcut(QKeySequence());
      r->setChecked(i == rg->ItemIndex());
      r->setFont(qfont(c.GetFont()));
      r->setGeometry(8, top + i * step + std::max(0, (step - 17) / 2), std::max(0, c.Width() - 16), 17);
    }
  } else if (auto* gb = dynamic_cast<TGroupBox*>(&c)) {
    static_cast<QGroupBox*>(widget_.data())->setTitle(qs(gb->Caption()));
  } else if (auto* pb = dynamic_cast<TProgressBar*>(&c)) {
    auto* w = static_cast<QProgressBar*>(widget_.data());
    w->setRange(pb->Min(), pb->Max());
    w->setValue(pb->Position());
  }
  widget_->setPalette(pal);
  widget_->update();
}

}  // namespace

void screen_size_from_env(int& width, int& height) {
  width = 1024;
  height = 768;
  const char* env = std::getenv("SETUP_SCREEN");
  if (!env) return;
  int w = 0, h = 0;
  char x = 0, extra = 0;
  if (std::sscanf(env, "%d%c%d%c", &w, &x, &h, &extra) == 3 && (x == 'x' || x == 'X') && w >= 320 && h >= 200 &&
      w <= 8192 && h <= 8192) {
    width = w;
    height = h;
  } else {
    std::fprintf(stderr, "setup: SETUP_SCREEN=%s is not WxH; using 1024x768\n", env);
  }
}

Backend& backend() {
  // Never destroyed: the application's forms, which own widgets, outlive every static.
  alignas(QtBackend) static unsigned char storage[sizeof(QtBackend)];
  static QtBackend* instance = ::new (storage) QtBackend();
  return *instance;
}

}  // namespace vcl::detail
