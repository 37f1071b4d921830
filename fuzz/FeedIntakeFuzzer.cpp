// Any bytes through document intake and whichever reader the root element
// picks, twice, so that marking against a previous load runs too.
#include "feeds/FeedIntake.h"
#include "feeds/IntakeEnvironment.h"
#include "model/Provider.h"
#include "platform/BackgroundNotice.h"
#include "platform/XmlDocument.h"

#include <cstddef>
#include <cstdint>

namespace {

class NullEnvironment : public IntakeEnvironment {
public:
    bool HighlightNewStories() const override { return true; }
    bool PlayArrivalSounds() const override { return true; }
    Currency CounterNow() const override { return Currency::FromScaled(1'000'000'000); }
    void OperationCompleted() override {}
    void StoriesReplaced(Provider&) override {}
    void LoadStateChanged(Provider&) override {}
    void PlayArrivalSound(const QString&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BackgroundNotice::SetSink([](const QString&) {});
    XmlDocument document;
    document.LoadXML(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
                     XmlDocument::Malformed::Recover);
    Provider provider;
    provider.Stories = std::make_shared<StoryCollection>();
    NullEnvironment environment;
    FeedIntake::GrabProviderDetailsXMLComplete(provider, document, environment);
    FeedIntake::GrabStoriesXMLComplete(provider, document, environment);
    FeedIntake::GrabStoriesXMLComplete(provider, document, environment);
    for (qsizetype i = 1; i <= provider.Stories->Count(); ++i)
        (void)provider.Stories->ItemURL(i);
    return 0;
}
