#pragma once

#include "model/ProviderCollection.h"
#include "model/ProviderField.h"
#include "support/EventWait.h"
#include "support/FiledProviders.h"
#include "support/GoldenFile.h"
#include "support/RecordingMessageBox.h"
#include "support/TestData.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>

// Plays a scenario of what a user does on a page of the settings dialog (or
// any window) and writes down, after each step, what changed among the
// things it watches: widgets by object name, state a test names itself,
// the message boxes shown and the signals sent during the step.
//
// Steps are JSON arrays, the command first: ["click", "btnSort"],
// ["hold", "btnMoveUp", "Shift"], ["let go", "btnMoveUp"], ["type", "txtName", "Zed"]
// (a final "\n" presses Return), ["select", "lstProviders", 0, 2] (rows, or
// a tree's path), ["choose", "cboLanguage", "Portuguese"],
// ["type", "sldRefreshHours", 15] (a slider's or a spin box's value),
// ["link", "lblSkinAuthorSite", "mailto:x"],
// ["answer", "No"] (the next message box), ["wait", "lstProviders", "News"],
// ["field", 2, "Active", "False"] (a stored field of a provider of
// Providers), ["category", "World/Europe", "off"] (added to Providers' list); a test adds its own
// commands with Steps. Besides object names it watches "cboCategory:items" (a list's entries),
// "btnVisit:tip" (a tooltip), "notice" (a message box over it), "2.Active" (that field),
// "categories" (Providers' categories, see CategoryLines) and what its State answers.
class PageScenario {
public:
    using Step = std::function<void(const QJsonArray& step)>;

    PageScenario(QWidget& page, const QJsonArray& watched)
        : m_page(page)
        , m_watched(QJsonValue(watched).toVariant().toStringList()) {
        AddCommonSteps();
    }

    QJsonArray Play(const QJsonArray& steps) {
        RecordingMessageBox& boxes = RecordingMessageBox::Instance();
        QJsonObject shown;
        QJsonArray transcript;
        for (qsizetype i = -1; i < steps.size(); ++i) {
            if (i >= 0)
                m_steps.value(steps[i].toArray().first().toString(), [](auto& step) {
                    throw std::invalid_argument("no step " + StepText(step).toStdString());
                })(Unplaced(steps[i].toArray()));
            QJsonObject changes;
            const QJsonObject now = Snapshot();
            for (auto it = now.begin(); it != now.end(); ++it)
                if (shown.value(it.key()) != it.value())
                    changes[it.key()] = it.value();
            shown = now;
            QJsonArray texts;
            for (qsizetype box = 0; box < boxes.Texts.size(); ++box)
                texts.append(Placed(boxes.Titles.value(box) + ": " + boxes.Texts[box]));
            if (!texts.isEmpty())
                changes[QStringLiteral("message boxes")] = texts;
            boxes.Texts.clear();
            boxes.Titles.clear();
            for (const auto& [name, spy] : Signals) {
                if (!spy->isEmpty() && i >= 0)
                    changes[name] = static_cast<int>(spy->count());
                spy->clear();
            }
            transcript.append(
                QJsonArray{i < 0 ? QStringLiteral("open") : StepText(steps[i].toArray()), changes});
        }
        return transcript;
    }

    // A step of the test's own.
    void Add(const QString& name, Step step) { m_steps[name] = std::move(step); }

    std::function<QString(const QString& name)> State;
    ProviderCollection* Providers = nullptr;
    // The signals counted during each step, by name.
    std::map<QString, std::unique_ptr<QSignalSpy>> Signals;
    // Text written as a placeholder wherever it shows (a temporary folder, a
    // server's address), and read back from the steps' words.
    QHash<QString, QString> Placeholders;

private:
    // A tree's item as its path of texts; the columns of one item joined by "|".
    static QString ItemPath(const QTreeWidgetItem* item) {
        QStringList cells;
        for (int column = 0; column < item->columnCount(); ++column)
            cells.append(item->text(column));
        const QString text = cells.join(u'|');
        return item->parent() == nullptr ? text : ItemPath(item->parent()) + u'/' + text;
    }

    static QString Lines(const QWidget* widget) {
        QStringList lines;
        if (const auto* list = qobject_cast<const QListWidget*>(widget)) {
            for (int row = 0; row < list->count(); ++row)
                lines.append(list->item(row)->text() + (list->item(row)->isSelected() ? "*" : ""));
        } else if (const auto* tree = qobject_cast<const QTreeWidget*>(widget)) {
            for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it != nullptr; ++it)
                lines.append(ItemPath(*it) + (*it == tree->currentItem() ? "*" : ""));
        }
        return lines.join(QStringLiteral(", "));
    }

    static QString Value(const QWidget* widget) {
        if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
            return edit->text() + (edit->isReadOnly() ? " [read-only]" : "");
        if (const auto* edit = qobject_cast<const QTextEdit*>(widget))
            return Runs(*edit->document());
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            return label->pixmap().isNull() ? label->text() : QStringLiteral("[picture]");
        if (const auto* combo = qobject_cast<const QComboBox*>(widget))
            return combo->currentText();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            return button->isCheckable() ? (button->isChecked() ? "on" : "off")
                                         : (button->isEnabled() ? "enabled" : "");
        if (const auto* slider = qobject_cast<const QAbstractSlider*>(widget))
            return QString::number(slider->value());
        return Lines(widget);
    }

    // The text, each run of a colour other than black or in bold marked.
    static QString Runs(const QTextDocument& document) {
        QString text;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                const QString colour = format.foreground().color().name();
                text += it.fragment().text() + (colour == u"#000000" ? "" : " [" + colour + "]") +
                        (format.fontWeight() > QFont::Normal ? " [bold]" : "");
            }
            text += block.next().isValid() ? "\n" : "";
        }
        return text;
    }

    static QString StepText(const QJsonArray& step) {
        return QJsonValue(step).toVariant().toStringList().join(u' ');
    }

    static const ProviderField& FieldNamed(const QString& name) {
        const auto fields = ProviderField::All();
        const auto field = std::find_if(fields.begin(), fields.end(),
                                        [&](const ProviderField& f) { return f.Name == name; });
        if (field == fields.end())
            throw std::invalid_argument("no provider field " + name.toStdString());
        return *field;
    }

    void AddCommonSteps() {
        Add("click",
            [this](auto& step) { qobject_cast<QAbstractButton*>(Widget(step[1]))->click(); });
        Add("hold", [this](auto& step) {
            QTest::mousePress(Widget(step[1]), Qt::LeftButton,
                              step[2].toString() == u"Shift" ? Qt::ShiftModifier : Qt::NoModifier);
        });
        Add("let go", [this](auto& step) { QTest::mouseRelease(Widget(step[1]), Qt::LeftButton); });
        Add("type", [this](auto& step) {
            if (auto* slider = qobject_cast<QAbstractSlider*>(Widget(step[1])))
                return slider->setValue(step[2].toInt());
            if (auto* spin = qobject_cast<QSpinBox*>(Widget(step[1])))
                return spin->setValue(step[2].toInt());
            auto* edit = qobject_cast<QLineEdit*>(Widget(step[1]));
            const QString text = step[2].toString();
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClicks(edit, text.endsWith(u'\n') ? text.chopped(1) : text);
            if (text.endsWith(u'\n'))
                QTest::keyClick(edit, Qt::Key_Return);
        });
        Add("select", [this](auto& step) {
            if (auto* tree = qobject_cast<QTreeWidget*>(Widget(step[1]))) {
                for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it)
                    if (ItemPath(*it) == step[2].toString())
                        tree->setCurrentItem(*it);
                return;
            }
            auto* list = qobject_cast<QListWidget*>(Widget(step[1]));
            list->clearSelection();
            for (qsizetype i = 2; i < step.size(); ++i) {
                if (i == 2)
                    list->setCurrentRow(step[i].toInt());
                if (list->item(step[i].toInt()) == nullptr)
                    throw std::out_of_range("no row " + StepText(step).toStdString());
                list->item(step[i].toInt())->setSelected(true);
            }
        });
        Add("choose", [this](auto& step) {
            auto* combo = qobject_cast<QComboBox*>(Widget(step[1]));
            const int index = combo->findText(step[2].toString());
            combo->setCurrentIndex(index);
            emit combo->activated(index);
        });
        Add("link", [this](auto& step) {
            emit qobject_cast<QLabel*>(Widget(step[1]))->linkActivated(step[2].toString());
        });
        Add("answer", [](auto& step) {
            using enum MessageBoxPresenter::Answer;
            RecordingMessageBox::Instance().NextAnswer = step[1].toString() == u"Yes" ? Yes : No;
        });
        Add("field", [this](auto& step) {
            FieldNamed(step[2].toString())
                .Value.Read(*Providers->Item(step[1].toInt()), step[3].toString());
        });
        Add("wait", [this](auto& step) {
            EXPECT_TRUE(WaitUntil([&] {
                return Describe(step[1].toString()).contains(step[2].toString());
            })) << StepText(step).toStdString();
        });
        // A category added elsewhere, switched on or off.
        Add("category", [this](auto& step) {
            Providers->Categories().EnsureCategory(step[1].toString(), step[2].toString() != u"off",
                                                   true);
            Providers->Categories().SortByName(1, Providers->Categories().Count());
        });
    }

    QString Placed(QString text) const {
        for (const auto& [from, placeholder] : Placeholders.asKeyValueRange())
            text.replace(from, placeholder);
        return text;
    }

    QJsonArray Unplaced(const QJsonArray& step) const {
        QString text = QString::fromUtf8(QJsonDocument(step).toJson());
        for (const auto& [to, placeholder] : Placeholders.asKeyValueRange())
            text.replace(placeholder, to);
        return QJsonDocument::fromJson(text.toUtf8()).array();
    }

    QString Describe(const QString& name) const {
        const auto* owner = m_page.findChild<QWidget*>(name.section(u':', 0, 0));
        if (const auto* combo = qobject_cast<const QComboBox*>(owner); name.endsWith(u":items")) {
            QStringList items;
            for (int i = 0; combo != nullptr && i < combo->count(); ++i)
                items.append(combo->itemText(i));
            return items.join(QStringLiteral(", "));
        }
        if (name.endsWith(u":tip"))
            return owner != nullptr ? owner->toolTip() : QString();
        const qsizetype position = name.section(u'.', 0, 0).toInt();
        if (const auto* widget = m_page.findChild<QWidget*>(name))
            return (Value(widget) + (widget->isEnabled() ? "" : " [disabled]") +
                    (widget->isVisibleTo(widget->window()) ? "" : " [hidden]"))
                .trimmed();
        if (const auto* notice = m_page.findChild<QMessageBox*>(); name == u"notice")
            return notice == nullptr
                       ? QString()
                       : notice->text() + (notice->isVisible() ? " [shown]" : "") +
                             (notice->windowModality() == Qt::WindowModal ? " [window-modal]" : "");
        if (Providers != nullptr && name == u"categories")
            return CategoryLines(*Providers).join(u',');
        if (Providers != nullptr && position > 0)
            return position > Providers->Count()
                       ? QString()
                       : FieldNamed(name.section(u'.', 1)).Value.Text(*Providers->Item(position));
        if (!State)
            throw std::invalid_argument("no widget or state " + name.toStdString());
        return State(name);
    }

    QJsonObject Snapshot() const {
        QJsonObject shown;
        for (const QString& name : m_watched)
            shown[name] = Placed(Describe(name));
        return shown;
    }

    QWidget* Widget(const QJsonValue& name) const {
        auto* widget = m_page.findChild<QWidget*>(name.toString());
        if (widget == nullptr)
            throw std::invalid_argument("no widget " + name.toString().toStdString());
        return widget;
    }

    QWidget& m_page;
    QStringList m_watched;
    QHash<QString, Step> m_steps;
};

namespace PageScenarios {

// Plays every scenario of tests/data/cases/<area>-scenarios.json (objects
// with "name") with `play` and compares the transcripts with
// <area>-scenarios.expected.json beside it.
inline void Check(const QString& area, const std::function<QJsonArray(const QJsonObject&)>& play) {
    const QString cases = QStringLiteral("cases/%1-scenarios").arg(area);
    QJsonObject transcripts;
    for (const QJsonValue& value : TestData::Cases(cases + QStringLiteral(".json"))) {
        const QJsonObject scenario = value.toObject();
        SCOPED_TRACE(scenario["name"].toString().toStdString());
        transcripts[scenario["name"].toString()] = play(scenario);
    }
    GoldenFile::Check(TestData::Path(cases + QStringLiteral(".expected.json")), transcripts, area,
                      QStringLiteral("ui_tests"));
}

} // namespace PageScenarios
