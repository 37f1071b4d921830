#include "model/Category.h"

#include "model/LineElement.h"

#include "platform/ProgramError.h"
#include "platform/TextConversion.h"
#include "platform/XmlChildren.h"

namespace {

const QString CategoryNameTag = QStringLiteral("categoryname");
const QString ActiveTag = QStringLiteral("active");
const QString UserDefinedTag = QStringLiteral("userdefined");

} // namespace

QString Category::PartialCategoryName() const {
    return CategoryName.mid(CategoryName.lastIndexOf(QLatin1Char('/')) + 1);
}

QString Category::ParentCategoryName(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

bool Category::IsValidPartialName(const QString& name) {
    return !name.isEmpty() && !name.contains(QLatin1Char('/'));
}

XmlNode Category::AsXML(XmlDocument& document, const QString& indent) const {
    LineElement element(document, QStringLiteral("category"), indent);
    WriteXML(element);
    return element.Element();
}

void Category::WriteXML(LineSink& lines) const {
    lines.AddLine(CategoryNameTag, CategoryName);
    if (!Active)
        lines.AddLine(ActiveTag, TextConversion::FromBoolean(false));
    if (UserDefined)
        lines.AddLine(UserDefinedTag, TextConversion::FromBoolean(true));
}

bool Category::FromXML(const XmlNode& element) {
    Active = true;
    UserDefined = false;
    Visible = false;
    ProviderCount = 0;
    DescendantProviderCount = 0;
    bool clean = true;
    for (const XmlNode& child : XmlChildren(element)) {
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
