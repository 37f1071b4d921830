#include "model/ProviderCollection.h"
#include "model/AliasSetCollection.h"
#include "model/PendingOperation.h"
#include "model/PresentField.h"
#include "platform/HighResolutionCounter.h"
#include "platform/KnownFolders.h"
#include "platform/XmlDocument.h"
#include "support/FiledProviders.h"
#include "support/RecordingFetch.h"
#include "support/RecordingMessageBox.h"
#include "support/Scenario.h"
#include "support/StatusRecorder.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <map>

namespace {

std::shared_ptr<Provider> Named(const QString& name, const QString& category = QString()) {
    auto provider = std::make_shared<Provider>();
    provider->ProviderName = name;
    provider->DataURL = "http://feeds.example/" + name;
    provider->Category = category;
    return provider;
}

QList<std::pair<QString, QString>> Filed(const QJsonArray& pairs) {
    QList<std::pair<QString, QString>> filed;
    for (const QJsonValue& pair : pairs)
        filed.append({pair[0].toString(), pair[1].toString()});
    return filed;
}

// `text` followed by the tags that are set, in brackets.
QString Tagged(const QString& text, const QList<std::pair<bool, QString>>& tags) {
    QStringList set;
    for (const auto& [isSet, tag] : tags) {
        if (isSet)
            set.append(tag);
    }
    return set.isEmpty() ? text : text + QStringLiteral(" (") + set.join(", ") + u')';
}

QString Line(const Provider& provider) {
    return Tagged(provider.ProviderName + QStringLiteral(": ") + provider.Category,
                  {{!provider.Active, "inactive"},
                   {provider.IsTextFormat(), "text"},
                   {provider.Protected, "protected"},
                   {provider.DataType != 0, QStringLiteral("data type %1").arg(provider.DataType)},
                   {provider.FirstInCategory, "first"},
                   {provider.Renewed, "renewed"},
                   {provider.BrandNew, "brand new"},
                   {provider.UserCategory, "user category"},
                   {!provider.Stories, "no stories"},
                   {provider.LoadState != 0, QStringLiteral("state %1").arg(provider.LoadState)},
                   {provider.PendingOperations != 0,
                    QStringLiteral("pending %1").arg(provider.PendingOperations)},
                   {provider.MinutesToNextRefresh != 0,
                    QStringLiteral("due in %1").arg(provider.MinutesToNextRefresh)}});
}

QString Line(const Category& category) {
    return Tagged(category.CategoryName,
                  {{!category.Active, "inactive"},
                   {category.UserDefined, "user"},
                   {category.Visible, "visible"},
                   {category.ProviderCount != 0 || category.DescendantProviderCount != 0,
                    QStringLiteral("%1+%2 providers")
                        .arg(category.ProviderCount)
                        .arg(category.DescendantProviderCount)}});
}

XmlNode Element(XmlDocument& document, const QString& xml) {
    EXPECT_TRUE(document.LoadXML(xml.toUtf8())) << xml.toStdString();
    return document.DocumentElement();
}

// The steps of cases/model-scenarios.json over the model's collections: a
// provider list of "providers" filed as [name, category] (categories
// sorted, parents first, visibility computed) with "categories" appended
// after them as they are, and a list of alias sets (each shown by its URLs;
// a URL an earlier set claimed names that set). A step is a command
// and its arguments; positions are 1-based as the collections count. The
// transcript shows what each step changed.
class ModelWorld {
public:
    explicit ModelWorld(const QJsonObject& c)
        : providers(FiledProviders(Filed(c["providers"].toArray()))) {
        for (const QJsonValue& path : c["categories"].toArray())
            categories.Add(path.toString(), true, false);
        RecordingMessageBox::Instance().Texts.clear();
    }

    QJsonValue Run(const QJsonArray& step) {
        const QString command = step[0].toString();
        const qint64 number = step[1].toInteger();
        const qint64 second = step[2].toInteger();
        const QString text = step[1].toString();
        const QString other = step[2].toString();
        const auto at = [](qsizetype position) {
            return QJsonValue(qint64(position));
        };
        const auto provider = [this, number] {
            return providers.Item(number);
        };
        // Providers and their list.
        if (command == "add") // with run-time state the list must not keep
            providers.Add(Busy(text, other));
        else if (command == "item")
            return provider()->ProviderName;
        else if (command == "remove")
            providers.Remove(number);
        else if (command == "obsoleteItem")
            providers.ObsoleteItem(number);
        else if (command == "sortByName")
            providers.SortByName(number, second);
        else if (command == "locate")
            return at(providers.LocateProvider(text));
        else if (command == "locateAfter")
            return at(providers.LocateProviderAfter(text, second));
        else if (command == "locateByURL")
            return at(providers.LocateProviderByURL(text));
        else if (command == "locateByID")
            return at(providers.LocateProviderByUniqueID(number));
        else if (command == "firstInCategory")
            return at(providers.LocateFirstProviderInCategory(text));
        else if (command == "lastInCategory")
            return at(providers.LocateLastProviderInCategory(text));
        else if (command == "firstActiveInCategory")
            return providers.LocateFirstActiveProviderInCategory(text)->ProviderName;
        else if (command == "hasActive")
            return providers.CategoryHasActiveProviders(text);
        else if (command == "uniqueName")
            return providers.GenerateUniqueProviderName();
        else if (command == "deactivate")
            provider()->Active = false;
        else if (command == "setID")
            provider()->UniqueID = second;
        else if (command == "setCategory")
            provider()->Category = other;
        else if (command == "renew")
            provider()->Renewed = provider()->BrandNew = true;
        else if (command == "moveUp")
            providers.MoveProvidersUp(number, second);
        else if (command == "moveDown")
            providers.MoveProvidersDown(number, second);
        else if (command == "sortByCategory")
            providers.SortByCategory();
        else if (command == "flagFirst")
            providers.FlagFirstInCategory();
        else if (command == "clearFlags")
            providers.ClearFlags();
        else if (command == "assignCategory")
            return at(providers.AssignCategory(text, other));
        else if (command == "removeEmptyCategories")
            providers.RemoveEmptyCategories();
        else if (command == "removeByID")
            RemoveByID(number);
        else if (command == "cancelOlderThan") // seconds
            providers.CancelPendingRequests(Currency::FromScaled(number * Currency::Scale));
        else if (command == "setVersion")
            providers.Version = number;
        else if (command == "addObsolete")
            providers.AddObsolete(number);
        else if (command == "copy")
            return Copy();
        else if (command == "loadFile") // under tests/data, telling the user
            return Load(TestData::Path(text), &ProviderCollection::LoadFile);
        else if (command == "readFile") // without telling the user
            return Load(TestData::Path(text), &ProviderCollection::ReadFile);
        else if (command == "lostValues")
            return providers.LastLoadLostValues();
        else if (command == "temporaryID")
            return Provider::IsTemporaryID(number);
        else if (command == "originText")
            return Provider::OriginText(number);
        // A provider's fetch in flight, its format, reading over it.
        else if (command == "fetch") // of the operations, started now
            Fetch(*provider(), int(second));
        else if (command == "setLoadState")
            provider()->LoadState = second;
        else if (command == "textFormat")
            provider()->SetIsTextFormat(step[2].toBool());
        else if (command == "applyPresent") // a published record's field
            ApplyPresent(*provider(), other);
        else if (command == "cancel")
            provider()->CancelPendingRequest();
        else if (command == "read") // the children of a provider element
            return Read(*provider(), other, step[3].toBool());
        else if (command == "imageURL") // the data folder as "{data folder}"
            return QString(provider()->ImageURL)
                .replace(KnownFolders::DataFolder(), "{data folder}");
        else if (command == "written") // the element with its run-time fields
            return Written(*provider());
        else if (command == "present")
            return provider()->PresentFlags;
        else if (command == "setDataType")
            provider()->DataType = second;
        else if (command == "resetStatistics")
            provider()->ResetStatistics();
        // A provider's stories.
        else if (command == "addStory")
            provider()->Stories->Add(other, {}, step[3].toString(), {}, 0, true);
        else if (command == "removeStory")
            provider()->Stories->Remove(second);
        else if (command == "storyTitle")
            return provider()->Stories->Item(second).Title;
        else if (command == "storyLink")
            return provider()->Stories->ItemURL(second);
        else if (command == "findStory")
            return at(provider()->Stories->FindStoryByTitle(other));
        else if (command == "findArticle") // from, forward, text
            return at(provider()->FindArticle(second, step[3].toBool(), step[4].toString()));
        else if (command == "compress") // answers the common prefix
            return Compress(*provider()->Stories);
        else if (command == "dropStories")
            provider()->Stories.reset();
        // Categories.
        else if (command == "addCategory")
            categories.Add(text, step[2].toBool(), step[3].toBool());
        else if (command == "ensureCategory")
            categories.EnsureCategory(text, step[2].toBool(), step[3].toBool());
        else if (command == "categoryItem")
            return categories.Item(number)->CategoryName;
        else if (command == "removeCategory")
            categories.Remove(number);
        else if (command == "sortCategories")
            categories.SortByName(number, second);
        else if (command == "renameCategory")
            categories.Item(number)->CategoryName = other;
        else if (command == "deactivateCategory")
            categories.Item(number)->Active = false;
        else if (command == "computeVisibility")
            categories.ComputeVisibility();
        else if (command == "updateCounts")
            categories.UpdateProviderCounts(text);
        else if (command == "resetCounts")
            categories.ResetProviderCounts();
        else if (command == "locateCategory")
            return at(categories.LocateCategory(text));
        else if (command == "locateParent")
            return at(categories.LocateParentCategory(text));
        else if (command == "partialName")
            return categories.Item(number)->PartialCategoryName();
        else if (command == "parentName")
            return Category::ParentCategoryName(text);
        else if (command == "validPartialName")
            return Category::IsValidPartialName(text);
        else if (command == "readCategory") // a category element over the category
            return categories.Item(number)->FromXML(Element(document, other));
        // Alias sets; a set is named by its position or its key.
        else if (command == "addSet")
            aliases.Add(text);
        else if (command == "set")
            return at(Position(step[1].isString() ? aliases.Item(text) : aliases.Item(number)));
        else if (command == "removeSet")
            step[1].isString() ? aliases.Remove(text) : aliases.Remove(number);
        else if (command == "removeAllSets")
            aliases.RemoveAll();
        else if (command == "setFor") // the URLs of the set claiming the URL
            return URLs(aliases.GetAliasSetForURL(text));
        else if (command == "markKnown")
            aliases.Item(number)->IsKnown = true;
        else if (command == "resetKnown")
            aliases.ResetKnown();
        else if (command == "loadSets")
            return aliases.FromXML(TestData::Path(text));
        else if (command == "loadNoDocument")
            return aliases.LoadDocument(XmlDocument());
        else if (command == "addSetFromXML") // indexed, not appended
            return URLs(aliases.AddFromXML(Element(document, text)));
        else if (command == "readSet") // an alias-set element over the set
            return aliases.Item(number)->FromXML(Element(document, other));
        else if (command == "includes")
            return aliases.Item(number)->IncludesURL(other);
        else
            ADD_FAILURE() << "no step " << command.toStdString();
        return {};
    }

    QJsonObject Snapshot() {
        QJsonObject state{{"providers", Lines(providers)},
                          {"categories", Lines(categories)},
                          {"fetches", Fetches()}};
        QJsonObject stories;
        for (const auto& provider : providers) {
            QStringList lines;
            for (qsizetype i = 1; provider->Stories && i <= provider->Stories->Count(); ++i)
                lines.append(StoryLine(*provider->Stories, i));
            if (!lines.isEmpty())
                stories.insert(provider->ProviderName, QJsonArray::fromStringList(lines));
        }
        state.insert("stories", stories);
        QJsonArray sets;
        for (const auto& aliasSet : aliases)
            sets.append(Tagged(OwnedURLs(*aliasSet), {{aliasSet->IsKnown, "known"}}));
        state.insert("alias sets", sets);
        const QString messages = RecordingMessageBox::Instance().Texts.join(u'\n');
        state.insert("messages",
                     QString(messages).replace(TestData::Path("x").chopped(1), "{data}/"));
        return Scenario::Changes(seen, state);
    }

private:
    template <class Collection>
    static QJsonArray Lines(const Collection& collection) {
        QJsonArray lines;
        for (const auto& item : collection)
            lines.append(Line(*item));
        return lines;
    }

    QJsonObject Fetches() const {
        QJsonObject fetches;
        for (const auto& [name, log] : logs)
            fetches.insert(name, Tagged(QStringLiteral("%1 cancels of %2")
                                            .arg(log.Cancels)
                                            .arg(log.CancelledOperations),
                                        {{log.Destroyed, "ended"}}));
        return fetches;
    }

    // Each story as "title <link>", with the part of the link it keeps
    // after Compress when that is not the whole link.
    static QString StoryLine(const StoryCollection& stories, qsizetype position) {
        const QString link = stories.ItemURL(position);
        const QString partial = stories.Item(position).PartialURL;
        const QString line = stories.Item(position).Title + QStringLiteral(" <") + link + u'>';
        return partial == link ? line : line + QStringLiteral(" keeping ") + partial;
    }

    static QString Compress(StoryCollection& stories) {
        stories.Compress();
        return stories.CommonPrefix();
    }

    QJsonObject Load(const QString& file,
                     bool (ProviderCollection::*load)(const QString&, ProgressReporter*, bool)) {
        StatusRecorder progress;
        const bool loaded = (providers.*load)(file, &progress, false);
        QStringList values;
        for (const int value : progress.Values)
            values.append(QString::number(value));
        return {{"loaded", loaded},
                {"progress", QStringLiteral("%1 of %2, closed %3 times")
                                 .arg(values.join(u' '))
                                 .arg(progress.Maximum)
                                 .arg(progress.Closes)}};
    }

    static QJsonArray Written(const Provider& provider) {
        XmlDocument written;
        written.AppendChild(provider.AsXML(written, " ", false, true));
        return QJsonArray::fromStringList(QString::fromUtf8(written.ToBytes()).split("\r\n"));
    }

    static std::shared_ptr<Provider> Busy(const QString& name, const QString& category) {
        auto provider = Named(name, category);
        provider->PendingOperations = PendingOperation::StoriesAndDetails;
        provider->MinutesToNextRefresh = 9;
        provider->FirstInCategory = true;
        return provider;
    }

    // Each fetch is logged as "<provider> #<n>", n counting every fetch.
    void Fetch(Provider& provider, int operations) {
        provider.PendingOperations = operations;
        provider.tStart = HighResolutionCounter::Value();
        const QString name =
            QStringLiteral("%1 #%2").arg(provider.ProviderName).arg(logs.size() + 1);
        provider.SetPendingFetch(std::make_unique<RecordingFetch>(logs[name]));
    }

    static void ApplyPresent(Provider& provider, const QString& field) {
        Provider published;
        published.PresentFlags =
            field == "format" ? PresentField::IsTextFormat : PresentField::Category;
        provider.ApplyAsPresent(published);
    }

    // Relative image paths are made to point into the data folder when asked.
    bool Read(Provider& provider, const QString& children, bool fixImages) {
        const QString element = "<provider>" + children + "</provider>";
        return provider.FromXML(Element(document, element), fixImages);
    }

    // Removal by another record of the same provider.
    void RemoveByID(Long uniqueID) {
        auto record = Named("Elsewhere");
        record->UniqueID = uniqueID;
        providers.RemoveProvider(*record);
    }

    QJsonObject Copy() const {
        StatusRecorder progress;
        const auto copy = providers.Copy(&progress);
        const auto original = providers.Item(1);
        const auto duplicate = copy->Item(1);
        return {{"version", copy->Version},
                {"obsolete", qint64(copy->ObsoleteCount())},
                {"providers", qint64(copy->Count())},
                {"new records", duplicate != original},
                {"stories shared", duplicate->Stories == original->Stories},
                {"same ID", duplicate->UniqueID == original->UniqueID},
                {"statuses", QJsonArray::fromStringList(progress.Statuses)},
                {"progress maximum", progress.Maximum},
                {"progress closes", progress.Closes}};
    }

    qsizetype Position(const std::shared_ptr<AliasSet>& aliasSet) const {
        for (qsizetype i = 1; i <= aliases.Count(); ++i) {
            if (aliases.Item(i) == aliasSet)
                return i;
        }
        return 0;
    }

    // The set's URLs, each claimed by an earlier set marked with its position
    // (0: a set not in the list).
    QString OwnedURLs(const AliasSet& aliasSet) const {
        QStringList urls;
        for (const QString& url : aliasSet.URLs()) {
            const auto owner = aliases.GetAliasSetForURL(url);
            urls.append(owner.get() == &aliasSet
                            ? url
                            : url + QStringLiteral(" (of set %1)").arg(Position(owner)));
        }
        return urls.join(u' ');
    }

    static QString URLs(const std::shared_ptr<AliasSet>& aliasSet) {
        return aliasSet ? aliasSet->URLs().join(u' ') : QStringLiteral("none");
    }

    // Before the providers: a fetch still in flight tells its log when the
    // providers go.
    std::map<QString, FetchLog> logs;
    ProviderCollection providers;
    CategoryCollection& categories = providers.Categories();
    AliasSetCollection aliases;
    XmlDocument document;
    QJsonObject seen;
};

} // namespace

TEST(ProviderCollectionTest, ScenariosGiveTheirTranscripts) {
    Scenario::Walk<ModelWorld>(QStringLiteral("cases/model-scenarios.json"),
                               QStringLiteral("model_tests"));
}

// A settings dialog copies the list at each opening, and the issuing counter
// wraps: a new provider must still get an ID nobody holds, or removing it
// removes another.
TEST(ProviderCollectionTest, NewTemporaryIDsStayUniqueAfterManyCopiesAndTheCounterWrapping) {
    ProviderCollection providers;
    QSet<Long> held;
    for (int i = 0; i < 300; ++i) {
        auto provider = Named(QStringLiteral("User %1").arg(i));
        provider->UniqueID = Provider::NewUniqueProviderID();
        held.insert(providers.Add(provider, ProviderCollection::TemporaryID::Keep)->UniqueID);
    }
    ASSERT_EQ(held.size(), 300);
    for (int copies = 0; copies < 218; ++copies)
        EXPECT_EQ(providers.Copy(nullptr)->Item(300)->UniqueID, providers.Item(300)->UniqueID);
    // Walk the counter round until the IDs it issues next are held.
    const Long first = providers.Item(1)->UniqueID;
    while (Provider::NewUniqueProviderID() != first) {
    }

    auto added = Named("New");
    added->UniqueID = Provider::NewUniqueProviderID();
    providers.Add(added);
    EXPECT_FALSE(held.contains(added->UniqueID));
    providers.RemoveProvider(*added);
    ASSERT_EQ(providers.Count(), 300);
    for (const auto& provider : providers)
        EXPECT_TRUE(held.contains(provider->UniqueID));
}
