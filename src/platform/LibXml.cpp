#include "platform/LibXml.h"

#include "platform/HtmlEntities.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <mutex>
#include <vector>

namespace {

xmlParserInputPtr RefuseExternalEntity(const char*, const char*, xmlParserCtxtPtr) {
    return nullptr;
}

void IgnoreMessage(void*, const char*, ...) {}

// Where the walk goes below `node`. An entity reference points at its
// declaration, whose children are the parsed replacement; an unknown or
// external entity has none.
const xmlNode* FirstInner(const xmlNode* node) {
    switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
        return node->children;
    case XML_ENTITY_REF_NODE:
        return node->children != nullptr && node->children->type == XML_ENTITY_DECL
                   ? node->children->children
                   : nullptr;
    default:
        return nullptr;
    }
}

} // namespace

namespace LibXml {

void Initialize() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(RefuseExternalEntity);
        // Threads created later start from the defaults, this one from its own.
        xmlThrDefSetGenericErrorFunc(nullptr, IgnoreMessage);
        xmlSetGenericErrorFunc(nullptr, IgnoreMessage);
    });
}

QString ToQString(const xmlChar* text) {
    return QString::fromUtf8(reinterpret_cast<const char*>(text));
}

QByteArray QualifiedName(const xmlNs* ns, const xmlChar* name) {
    QByteArray result;
    AppendQualifiedName(result, ns, name);
    return result;
}

void AppendQualifiedName(QByteArray& out, const xmlNs* ns, const xmlChar* name) {
    if (ns != nullptr && ns->prefix != nullptr)
        out.append(reinterpret_cast<const char*>(ns->prefix)).append(':');
    out.append(reinterpret_cast<const char*>(name));
}

QByteArray UndeclaredReplacement(const xmlNode* reference) {
    if (reference->type != XML_ENTITY_REF_NODE || reference->children != nullptr)
        return {};
    const HtmlEntities::Replacement replacement =
        HtmlEntities::FindNamed(ToQString(reference->name));
    return replacement.IsNull() ? QByteArray() : replacement.View().toUtf8();
}

bool WalkExpanded(const xmlNode* node, const std::function<bool(const xmlNode*)>& visit) {
    if (!visit(node))
        return false;
    // The next node to visit on each level still open.
    std::vector<const xmlNode*> pending{FirstInner(node)};
    while (!pending.empty()) {
        const xmlNode* current = pending.back();
        if (current == nullptr) {
            pending.pop_back();
            continue;
        }
        pending.back() = current->next;
        if (!visit(current))
            return false;
        pending.push_back(FirstInner(current));
    }
    return true;
}

} // namespace LibXml
