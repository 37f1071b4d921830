#include "platform/XmlParser.h"

#include "platform/HtmlEntities.h"
#include "platform/LibXml.h"
#include "platform/XmlInput.h"

#include <libxml/SAX2.h>
#include <libxml/entities.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <QFile>

#include <algorithm>
#include <climits>
#include <map>
#include <memory>
#include <string>

namespace {

// Only what the text of the document says: no DTD is loaded, no entity is
// substituted (references stay nodes and are expanded when read), and the
// parser's limits on depth and size stay on. CDATA sections stay nodes of
// their own, so they are written back as CDATA. No XML_PARSE_COMPACT: the
// tree is edited after loading, which it forbids.
constexpr int ParseOptions = XML_PARSE_NONET;

using ParserContext = std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)>;

// Entities for the HTML names a document uses without declaring them, made
// as the parser asks and kept until it is done. In text the parser copies a
// predefined entity's replacement as characters. In an attribute value it
// would copy one byte only, so there a longer replacement is an internal
// entity: the value keeps the reference, which is read through
// LibXml::UndeclaredReplacement.
class HtmlEntityStore {
public:
    xmlEntity* Find(const xmlChar* name, bool inAttribute) {
        std::string key(1, inAttribute ? 'a' : 't');
        key += Chars(name);
        auto found = m_entities.find(key);
        if (found == m_entities.end())
            found = m_entities.emplace(key, Made(name, inAttribute)).first;
        return found->second ? &found->second->entity : nullptr;
    }

private:
    struct Stored {
        xmlEntity entity{};
        QByteArray name;
        QByteArray content;
    };

    static const char* Chars(const xmlChar* text) { return reinterpret_cast<const char*>(text); }

    static std::unique_ptr<Stored> Made(const xmlChar* name, bool inAttribute) {
        const HtmlEntities::Replacement replacement =
            HtmlEntities::FindNamed(QString::fromUtf8(Chars(name)));
        if (replacement.IsNull())
            return nullptr;
        auto stored = std::make_unique<Stored>();
        stored->name = Chars(name);
        stored->content = replacement.View().toUtf8();
        xmlEntity& entity = stored->entity;
        entity.type = XML_ENTITY_DECL;
        entity.name = reinterpret_cast<const xmlChar*>(stored->name.constData());
        entity.content = reinterpret_cast<xmlChar*>(stored->content.data());
        entity.length = static_cast<int>(stored->content.size());
        entity.etype = inAttribute && entity.length > 1 ? XML_INTERNAL_GENERAL_ENTITY
                                                        : XML_INTERNAL_PREDEFINED_ENTITY;
        return stored;
    }

    std::map<std::string, std::unique_ptr<Stored>> m_entities;
};

// Text of white space alone between markup is layout: it is dropped as the
// parser meets it, so that an element written one child per line has
// exactly its elements as children (not XML_PARSE_NOBLANKS: it guesses, and
// keeps blanks next to some elements), unless xml:space="preserve" holds
// there. Whether a run is alone is known only at what follows it, so it
// waits until then. Only the document's own text is laid out so; entity
// replacements keep theirs.
class Layout {
public:
    void SetDocumentParser(const xmlParserCtxt* parser) { m_parser = parser; }

    bool IsOfTheDocument(const xmlParserCtxt* parser) const { return parser == m_parser; }
    // Whether white space met now would start a run of its own.
    bool MayWait(const xmlParserCtxt* parser) const {
        if (parser->node == nullptr)
            return false;
        const xmlNode* last = parser->node->last;
        return !m_waiting.empty() || last == nullptr || last->type != XML_TEXT_NODE;
    }
    bool IsWaiting() const { return !m_waiting.empty(); }
    void Wait(const xmlChar* text, int length) { m_waiting.append(text, text + length); }
    const xmlChar* Waiting() const { return reinterpret_cast<const xmlChar*>(m_waiting.data()); }
    int WaitingLength() const { return static_cast<int>(m_waiting.size()); }
    void Forget() { m_waiting.clear(); }

    // Asked once per parent, not per run.
    bool Preserves(xmlNode* parent) {
        if (parent != m_parent) {
            m_parent = parent;
            m_preserves = xmlNodeGetSpacePreserve(parent) == 1;
        }
        return m_preserves;
    }

private:
    const xmlParserCtxt* m_parser = nullptr;
    std::string m_waiting;
    xmlNode* m_parent = nullptr;
    bool m_preserves = false;
};

// What one parse collects besides the tree.
struct ParseState {
    XmlDocument::ParseError error;
    HtmlEntityStore entities;
    Layout layout;

    // Keeps the first error: later ones mostly follow from it.
    void Note(XmlDocument::ParseError found) {
        if (error.Reason.isEmpty())
            error = std::move(found);
    }
};

ParseState& StateOf(void* context) {
    return *static_cast<ParseState*>(static_cast<xmlParserCtxt*>(context)->_private);
}

void CollectError(void* context, xmlError* error) {
    if (error->level != XML_ERR_FATAL)
        return;
    // Some messages go on with the offending bytes on a line of their own.
    const QString message = LibXml::ToQString(reinterpret_cast<const xmlChar*>(error->message));
    StateOf(context).Note(
        {message.section(QLatin1Char('\n'), 0, 0).trimmed(), error->line, error->int2});
}

// Declared entities first, then the HTML names. A document without a
// document type that might declare them is not well-formed for using one;
// that is noted, and the text read on.
xmlEntity* GetEntity(void* context, const xmlChar* name) {
    if (xmlEntity* declared = xmlSAX2GetEntity(context, name))
        return declared;
    auto* parser = static_cast<xmlParserCtxt*>(context);
    ParseState& state = StateOf(context);
    xmlEntity* html = state.entities.Find(name, parser->instate == XML_PARSER_ATTRIBUTE_VALUE);
    const bool mayBeDeclaredElsewhere =
        parser->standalone != 1 && (parser->hasExternalSubset != 0 || parser->hasPErefs != 0);
    if (html != nullptr && !mayBeDeclaredElsewhere && parser->input != nullptr)
        state.Note({QStringLiteral("Entity '%1' not defined").arg(LibXml::ToQString(name)),
                    parser->input->line, parser->input->col});
    return html;
}

// When recovering, libxml2 drops every entity reference (&amp; too) once it
// has met an error, taking the rest for lost. The errors are collected
// above, so the parser is told at each next piece that all is well.
void KeepReading(void* context) {
    auto* parser = static_cast<xmlParserCtxt*>(context);
    if (parser->recovery != 0)
        parser->wellFormed = 1;
}

bool IsBlank(const xmlChar* text, int length) {
    return std::all_of(text, text + length,
                       [](xmlChar c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

// Before an element, an end tag, a comment, a processing instruction, a
// CDATA section or a reference: a run of white space waiting there was
// alone between them, layout, and goes unless xml:space="preserve" holds.
void EndLayout(void* context) {
    KeepReading(context);
    auto* parser = static_cast<xmlParserCtxt*>(context);
    Layout& layout = StateOf(context).layout;
    if (!layout.IsOfTheDocument(parser) || !layout.IsWaiting())
        return;
    if (layout.Preserves(parser->node))
        xmlSAX2Characters(context, layout.Waiting(), layout.WaitingLength());
    layout.Forget();
}

void Characters(void* context, const xmlChar* text, int length) {
    KeepReading(context);
    auto* parser = static_cast<xmlParserCtxt*>(context);
    Layout& layout = StateOf(context).layout;
    if (layout.IsOfTheDocument(parser)) {
        if (IsBlank(text, length) && layout.MayWait(parser)) {
            layout.Wait(text, length);
            return;
        }
        if (layout.IsWaiting())
            xmlSAX2Characters(context, layout.Waiting(), layout.WaitingLength());
        layout.Forget();
    }
    xmlSAX2Characters(context, text, length);
}

void StartElement(void* context, const xmlChar* localName, const xmlChar* prefix,
                  const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                  int attributeCount, int defaultedCount, const xmlChar** attributes) {
    EndLayout(context);
    xmlSAX2StartElementNs(context, localName, prefix, uri, namespaceCount, namespaces,
                          attributeCount, defaultedCount, attributes);
}

void EndElement(void* context, const xmlChar* localName, const xmlChar* prefix,
                const xmlChar* uri) {
    EndLayout(context);
    xmlSAX2EndElementNs(context, localName, prefix, uri);
}

void Reference(void* context, const xmlChar* name) {
    EndLayout(context);
    xmlSAX2Reference(context, name);
}

void CData(void* context, const xmlChar* text, int length) {
    EndLayout(context);
    xmlSAX2CDataBlock(context, text, length);
}

void Comment(void* context, const xmlChar* text) {
    EndLayout(context);
    xmlSAX2Comment(context, text);
}

void ProcessingInstruction(void* context, const xmlChar* target, const xmlChar* data) {
    EndLayout(context);
    xmlSAX2ProcessingInstruction(context, target, data);
}

void InstallHandlers(xmlSAXHandler& sax) {
    sax.serror = CollectError;
    sax.getEntity = GetEntity;
    sax.characters = Characters;
    sax.ignorableWhitespace = Characters;
    sax.startElementNs = StartElement;
    sax.endElementNs = EndElement;
    sax.reference = Reference;
    sax.cdataBlock = CData;
    sax.comment = Comment;
    sax.processingInstruction = ProcessingInstruction;
}

struct ChunkReader {
    QByteArrayView bytes;

    static int Read(void* context, char* buffer, int length) {
        auto* reader = static_cast<ChunkReader*>(context);
        const qsizetype count = std::min<qsizetype>(length, reader->bytes.size());
        std::copy_n(reader->bytes.data(), count, buffer);
        reader->bytes = reader->bytes.sliced(count);
        return static_cast<int>(count);
    }
};

XmlParser::Result Read(const XmlInput::Input& input, const QString& sourceName, bool recover) {
    ParseState state;
    const ParserContext parser(xmlNewParserCtxt(), xmlFreeParserCtxt);
    // The handlers of this context, not the thread's: errors belong to the
    // document being read. Entity replacements are parsed with contexts of
    // their own that share the handlers and the state.
    parser->_private = &state;
    state.layout.SetDocumentParser(parser.get());
    InstallHandlers(*parser->sax);
    int options = ParseOptions | (recover ? XML_PARSE_RECOVER : 0);
    if (!input.Encoding.isEmpty())
        options |= XML_PARSE_IGNORE_ENC;
    const QByteArray url = QFile::encodeName(sourceName);
    // Fed in chunks rather than through xmlCtxtReadMemory, which first copies
    // the whole text: the parser drops what it has consumed, so a large feed
    // is not held twice while its tree grows.
    ChunkReader reader{QByteArrayView(input.Bytes).sliced(input.Offset)};
    xmlDoc* doc =
        xmlCtxtReadIO(parser.get(), ChunkReader::Read, nullptr, &reader,
                      url.isEmpty() ? nullptr : url.constData(),
                      input.Encoding.isEmpty() ? nullptr : input.Encoding.constData(), options);
    return {doc, state.error};
}

bool HasRoot(xmlDoc* doc) {
    return doc != nullptr && xmlDocGetRootElement(doc) != nullptr;
}

} // namespace

namespace XmlParser {

Result Parse(const QByteArray& bytes, const QString& sourceName, bool recover) {
    if (bytes.size() > INT_MAX)
        return {nullptr, {QStringLiteral("The document is too large to read.")}};
    const XmlInput::Input input = XmlInput::Prepare(bytes);
    Result strict = Read(input, sourceName, false);
    if (strict.Doc == nullptr && strict.Error.Reason.isEmpty())
        strict.Error.Reason = QStringLiteral("The document is not well-formed.");
    if (strict.Error.Reason.isEmpty() || (recover && strict.Doc != nullptr))
        return strict;
    xmlFreeDoc(strict.Doc);
    strict.Doc = nullptr;
    if (!recover)
        return strict;
    Result recovered = Read(XmlInput::ForRecovery(input), sourceName, true);
    if (!HasRoot(recovered.Doc)) {
        xmlFreeDoc(recovered.Doc);
        return strict;
    }
    return {recovered.Doc, strict.Error};
}

} // namespace XmlParser
