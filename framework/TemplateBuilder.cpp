// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplateBuilder.h"

#include "i18n/ResourceModule.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QValidator>
#include <algorithm>

namespace drivo {

namespace {

// Only the digits 0 to 9, checked by hand: a regular expression here would bring the pattern
// compiler into every start for one character class.
class DigitsValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return std::all_of(input.cbegin(), input.cend(),
                           [](QChar c) { return c >= u'0' && c <= u'9'; })
                   ? Acceptable
                   : Invalid;
    }
};

QWidget* CreateStatic(const ControlTemplate& c, QWidget* parent) {
    auto* label = new QLabel(c.Text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (c.HasStyle(u"sunken")) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
    }
    return label;
}

// A static icon names its icon resource in its text. Icons are square: asked for the largest
// square the control holds, an icon drawn at that size is shown as drawn, not resampled.
QWidget* CreateIcon(const ControlTemplate& c, QWidget* parent) {
    auto* label = new QLabel(parent);
    const QSize size = DialogUnitsToPixels(c.Rect.size());
    const int side = std::min(size.width(), size.height());
    label->setPixmap(ResourceModule::Current().LoadIcon(c.Text.toInt()).pixmap(QSize(side, side)));
    return label;
}

QWidget* CreateFrame(const ControlTemplate&, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    return frame;
}

QWidget* CreateEdit(const ControlTemplate& c, QWidget* parent) {
    auto* edit = new QLineEdit(c.Text, parent);
    if (c.HasStyle(u"digits"))
        edit->setValidator(new DigitsValidator(edit));
    if (!c.HasStyle(u"border"))
        edit->setFrame(false);
    return edit;
}

QWidget* CreateButton(const ControlTemplate& c, QWidget* parent) {
    auto* button = new QPushButton(c.Text, parent);
    button->setAutoDefault(false);
    button->setDefault(c.HasStyle(u"default"));
    button->setCheckable(c.HasStyle(u"pushlike"));
    button->setFlat(c.HasStyle(u"transparent"));
    return button;
}

QWidget* CreateProgress(const ControlTemplate& c, QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setFormat(c.Text);
    bar->setAlignment(Qt::AlignCenter);
    return bar;
}

// A line edit lays out its first, empty line in the application's font before it takes its
// own: with the dialog's font as the application's while the controls are made, no font
// engine is loaded for a font the dialog never shows.
class LentApplicationFont {
public:
    explicit LentApplicationFont(const QFont& font) : m_kept(QApplication::font()) {
        QApplication::setFont(font);
    }
    ~LentApplicationFont() { QApplication::setFont(m_kept); }
    LentApplicationFont(const LentApplicationFont&) = delete;
    LentApplicationFont& operator=(const LentApplicationFont&) = delete;

private:
    QFont m_kept;
};

} // namespace

int ControlIdOf(const QObject* widget) {
    const QVariant v = widget ? widget->property(kControlIdProperty) : QVariant();
    return v.isValid() ? v.toInt() : kNoControlId;
}

void CTemplateBuilder::OverrideControl(int id, Factory factory) {
    m_overrides[id] = std::move(factory);
}

QWidget* CTemplateBuilder::CreateStandard(const ControlTemplate& c, QWidget* parent) {
    if (c.Kind == u"static")
        return CreateStatic(c, parent);
    if (c.Kind == u"icon")
        return CreateIcon(c, parent);
    if (c.Kind == u"edit")
        return CreateEdit(c, parent);
    if (c.Kind == u"button")
        return CreateButton(c, parent);
    if (c.Kind == u"checkbox")
        return new QCheckBox(c.Text, parent);
    if (c.Kind == u"groupbox")
        return new QGroupBox(c.Text, parent);
    if (c.Kind == u"progress")
        return CreateProgress(c, parent);
    return CreateFrame(c, parent);
}

std::vector<CreatedControl> CTemplateBuilder::Build(const DialogTemplate& t,
                                                    QWidget* parent) const {
    std::vector<CreatedControl> created;
    created.reserve(t.Controls.size());
    const LentApplicationFont lent(parent->font());
    for (const ControlTemplate& c : t.Controls) {
        const auto found = c.Id == kNoControlId ? m_overrides.end() : m_overrides.find(c.Id);
        QWidget* w =
            found != m_overrides.end() ? found->second(c, parent) : CreateStandard(c, parent);
        if (!w)
            w = CreateStandard(c, parent);
        w->setParent(parent);
        w->setProperty(kControlIdProperty, c.Id);
        w->setGeometry(DialogUnitsToPixels(c.Rect));
        w->setFocusPolicy(c.HasStyle(u"tabstop") ? Qt::StrongFocus : Qt::NoFocus);
        w->setVisible(c.Visible);
        created.push_back({c.Id, w});
    }
    // Widgets created later are painted on top; the template's first control is topmost.
    for (auto it = created.rbegin(); it != created.rend(); ++it)
        it->Widget->raise();
    QWidget* previous = nullptr;
    for (const CreatedControl& c : created) {
        if (c.Widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, c.Widget);
        previous = c.Widget;
    }
    return created;
}

} // namespace drivo
