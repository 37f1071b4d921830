#include "ui/SettingsCheckBoxes.h"

#include "config/Settings.h"

#include <QCheckBox>
#include <QLayout>

SettingsCheckBoxes::SettingsCheckBoxes(const QList<Binding>& table, QLayout& layout,
                                       QWidget& owner) {
    for (const Binding& binding : table) {
        auto* box = new QCheckBox(binding.caption, &owner);
        box->setObjectName(QString::fromLatin1(binding.objectName));
        layout.addWidget(box);
        m_boxes.append({box, binding.preference});
    }
}

void SettingsCheckBoxes::In(const Settings& settings) const {
    for (const auto& [box, preference] : m_boxes)
        box->setChecked(settings.*preference);
}

void SettingsCheckBoxes::Out(Settings& settings) const {
    for (const auto& [box, preference] : m_boxes)
        settings.*preference = box->isChecked();
}

QCheckBox* SettingsCheckBoxes::Box(bool Settings::*preference) const {
    for (const auto& [box, bound] : m_boxes)
        if (bound == preference)
            return box;
    return nullptr;
}
