#pragma once

#include <QList>
#include <QString>

class QCheckBox;
class QLayout;
class QWidget;
class Settings;

// Check boxes bound to on/off preferences: made from a table, filled from
// the preferences and written back to them.
class SettingsCheckBoxes {
public:
    struct Binding {
        const char* objectName;
        QString caption;
        bool Settings::*preference;
    };

    // The boxes are added to `layout`, in the table's order.
    SettingsCheckBoxes(const QList<Binding>& table, QLayout& layout, QWidget& owner);

    void In(const Settings& settings) const;
    void Out(Settings& settings) const;
    // The box of `preference`; null when the table has none.
    QCheckBox* Box(bool Settings::*preference) const;

private:
    QList<std::pair<QCheckBox*, bool Settings::*>> m_boxes;
};
