#include "desktop/Accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>

namespace kestro {

namespace {

constexpr const char* radioProperty = "kestroRadioChoice";

class RadioChoice : public QAccessibleWidget {
public:
    explicit RadioChoice(QAbstractButton* button)
        : QAccessibleWidget(button, QAccessible::RadioButton) {}

    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isChecked();
        return s;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && button()->accessibleName().isEmpty())
            return button()->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction(), toggleAction()}; }
    void doAction(const QString& name) override {
        // Choosing is all either action can do: an option is not unchosen
        // by choosing it again.
        if ((name == pressAction() || name == toggleAction()) && button()->isEnabled())
            button()->click();
    }
};

QAccessibleInterface* radioChoiceFactory(const QString&, QObject* object) {
    auto* button = qobject_cast<QAbstractButton*>(object);
    if (button != nullptr && button->property(radioProperty).toBool())
        return new RadioChoice(button);
    return nullptr;
}

} // namespace

void announceAsRadioButton(QAbstractButton* button) {
    static const bool installed = [] {
        QAccessible::installFactory(radioChoiceFactory);
        return true;
    }();
    (void)installed;
    button->setProperty(radioProperty, true);
    // The button was described while it was being made; that description
    // goes, so the next question gets this one.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(button))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

} // namespace kestro
