#include "RenderedText.h"

#include <gumbo.h>

// Placeholder walk: text nodes only. Replaced by the full renderer.
namespace {
void walk(const GumboNode *node, QString &out)
{
    if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE) {
        out += QString::fromUtf8(node->v.text.text);
        return;
    }
    if (node->type != GUMBO_NODE_ELEMENT)
        return;
    for (unsigned i = 0; i < node->v.element.children.length; ++i)
        walk(static_cast<const GumboNode *>(node->v.element.children.data[i]), out);
}
} // namespace

QString RenderInnerText(const QString &bodyMarkup)
{
    const QByteArray utf8 = bodyMarkup.toUtf8();
    GumboOutput *output = gumbo_parse_with_options(&kGumboDefaultOptions, utf8.constData(), static_cast<size_t>(utf8.size()));
    QString out;
    walk(output->root, out);
    gumbo_destroy_output(&kGumboDefaultOptions, output);
    return out;
}
