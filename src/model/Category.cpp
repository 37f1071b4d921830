#include "model/Category.h"

#include "platform/ProgramError.h"
#include "platform/TextConversion.h"
#include "platform/XmlDocument.h"

namespace {

const QString CategoryNameTag = QStringLiteral("categoryname");
const QString ActiveTag = QStringLiteral("active");
const QString UserDefinedTag = QStringLiteral("userdefined");

void AppendLine(XmlDocument& document, XmlNode& parent, const QString& indent, const QString& tag,
                const QString& value) {
    parent.AppendChild(document.CreateTextNode(indent));
    XmlNode child = parent.AppendChild(document.CreateElement(tag));
    child.SetText(value);
    parent.AppendChild(document.CreateTextNode(QStringLiteral("\r\n")));
}

} // namespace

QString Category::PartialCategoryName() const {
    return CategoryName.mid(CategoryName.lastIndexOf(QLatin1Char('/')) + 1);
}

QString Category::ParentCategoryName(const QString& strCategoryName) {
    const qsizetype slash = strCategoryName.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : strCategoryName.left(slash);
}

bool Category::IsValidPartialName(const QString& name) {
    return !name.isEmpty() && !name.contains(QLatin1Char('/'));
}

XmlNode Category::AsXML(XmlDocument& xmlDocument, const QString& strIndent) const {
    XmlNode element = xmlDocument.CreateElement(QStringLiteral("category"));
    element.AppendChild(xmlDocument.CreateTextNode(QStringLiteral("\r\n")));
    AppendLine(xmlDocument, element, strIndent, CategoryNameTag, CategoryName);
    if (!Active)
        AppendLine(xmlDocument, element, strIndent, ActiveTag, TextConversion::FromBoolean(false));
    if (UserDefined)
        AppendLine(xmlDocument, element, strIndent, UserDefinedTag,
                   TextConversion::FromBoolean(true));
    return element;
}

bool Category::FromXML(const XmlNode& xmlCategory) {
    Active = true;
    UserDefined = false;
    Visible = false;
    ProviderCount = 0;
    DescendantProviderCount = 0;
    bool clean = true;
    for (const XmlNode& child : xmlCategory.ChildNodes()) {
        const QString tag = child.TagName();
        try {
            if (tag == CategoryNameTag)
                CategoryName = child.Text();
            else if (tag == ActiveTag)
                Active = TextConversion::ToBoolean(child.Text());
            else if (tag == UserDefinedTag)
                UserDefined = TextConversion::ToBoolean(child.Text());
        } catch (const ProgramError&) {
            clean = false;
        }
    }
    return clean;
}
