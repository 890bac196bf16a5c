#include "RenderedText.h"

#include <gumbo.h>

#include "NestingClamp.h"

#include <cstddef>
#include <cstdlib>
#include <vector>

// The walk keeps the text it has emitted plus what is still pending: a
// collapsed blank and a block boundary are only written once the next visible
// character shows they are not at the start of a line or at the end of the
// text. That is how neighbouring block boundaries merge into one CR LF and how
// no line break ends up at the start or the end of the text.
namespace
{

enum class Kind { Inline, Block, Cell, Skip, Break, Select };

Kind kindOf(GumboTag tag)
{
    switch (tag) {
    // Nothing of these reaches the rendered text: not their text, not their
    // values, not their fallback content.
    case GUMBO_TAG_HEAD:
    case GUMBO_TAG_TITLE:
    case GUMBO_TAG_META:
    case GUMBO_TAG_LINK:
    case GUMBO_TAG_BASE:
    case GUMBO_TAG_SCRIPT:
    case GUMBO_TAG_STYLE:
    case GUMBO_TAG_NOSCRIPT: // the browser runs scripts, so it never shows these
    case GUMBO_TAG_TEMPLATE:
    case GUMBO_TAG_IMG:
    case GUMBO_TAG_INPUT:
    case GUMBO_TAG_TEXTAREA: // a form control's value, like an input's
    case GUMBO_TAG_IFRAME:
    case GUMBO_TAG_FRAME:
    case GUMBO_TAG_OBJECT:
    case GUMBO_TAG_EMBED:
    case GUMBO_TAG_APPLET:
    case GUMBO_TAG_AUDIO:
    case GUMBO_TAG_VIDEO:
    case GUMBO_TAG_CANVAS:
    case GUMBO_TAG_MAP:
    case GUMBO_TAG_AREA:
    case GUMBO_TAG_PARAM:
    case GUMBO_TAG_SOURCE:
    case GUMBO_TAG_TRACK:
    case GUMBO_TAG_WBR: return Kind::Skip;
    case GUMBO_TAG_BR: return Kind::Break;
    case GUMBO_TAG_TD:
    case GUMBO_TAG_TH: return Kind::Cell;
    case GUMBO_TAG_SELECT:
    case GUMBO_TAG_OPTGROUP:
    case GUMBO_TAG_DATALIST: return Kind::Select;
    case GUMBO_TAG_HTML:
    case GUMBO_TAG_BODY:
    case GUMBO_TAG_ADDRESS:
    case GUMBO_TAG_ARTICLE:
    case GUMBO_TAG_ASIDE:
    case GUMBO_TAG_BLOCKQUOTE:
    case GUMBO_TAG_CENTER:
    case GUMBO_TAG_DD:
    case GUMBO_TAG_DETAILS:
    case GUMBO_TAG_DIR:
    case GUMBO_TAG_DIV:
    case GUMBO_TAG_DL:
    case GUMBO_TAG_DT:
    case GUMBO_TAG_FIELDSET:
    case GUMBO_TAG_FIGCAPTION:
    case GUMBO_TAG_FIGURE:
    case GUMBO_TAG_FOOTER:
    case GUMBO_TAG_FORM:
    case GUMBO_TAG_FRAMESET:
    case GUMBO_TAG_H1:
    case GUMBO_TAG_H2:
    case GUMBO_TAG_H3:
    case GUMBO_TAG_H4:
    case GUMBO_TAG_H5:
    case GUMBO_TAG_H6:
    case GUMBO_TAG_HEADER:
    case GUMBO_TAG_HGROUP:
    case GUMBO_TAG_HR:
    case GUMBO_TAG_LEGEND:
    case GUMBO_TAG_LI:
    case GUMBO_TAG_LISTING:
    case GUMBO_TAG_MAIN:
    case GUMBO_TAG_MENU:
    case GUMBO_TAG_NAV:
    case GUMBO_TAG_NOFRAMES:
    case GUMBO_TAG_OL:
    case GUMBO_TAG_P:
    case GUMBO_TAG_PLAINTEXT:
    case GUMBO_TAG_PRE:
    case GUMBO_TAG_SECTION:
    case GUMBO_TAG_SUMMARY:
    case GUMBO_TAG_TABLE:
    case GUMBO_TAG_CAPTION:
    case GUMBO_TAG_THEAD:
    case GUMBO_TAG_TBODY:
    case GUMBO_TAG_TFOOT:
    case GUMBO_TAG_TR:
    case GUMBO_TAG_UL:
    case GUMBO_TAG_XMP: return Kind::Block;
    default: return Kind::Inline;
    }
}

bool keepsWhiteSpace(GumboTag tag)
{
    return tag == GUMBO_TAG_PRE || tag == GUMBO_TAG_LISTING || tag == GUMBO_TAG_XMP || tag == GUMBO_TAG_PLAINTEXT;
}

bool isCollapsible(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

class Renderer
{
public:
    // Renders the children of NODE. The walk keeps its own stack, so a page
    // nested any deep renders without running out of the thread's stack.
    void render(const GumboNode *node);
    QString finish();

private:
    void text(const QString &value, bool pre, bool inSelect);
    void visible(QChar c);
    void hardBreak();
    void blockBoundary();
    void cellStart();
    void cellEnd(qsizetype cellStartLength);
    void flushBlock();

    QString m_out;
    bool m_lineStart = true;     // nothing visible since the last CR LF (or the start)
    bool m_pendingSpace = false; // collapsed white space not yet written
    bool m_pendingBlock = false; // a block boundary not yet written
    bool m_absorbBlank = false;  // the last blank written swallows following white space
    bool m_cellFresh = false;    // inside a cell, before its first visible character
    qsizetype m_breakTail = -1;  // where the CR LF of a <br> ending the output starts
};

void Renderer::flushBlock()
{
    if (m_pendingBlock && !m_lineStart && !m_cellFresh) {
        // A blank before a line break is kept.
        if (m_pendingSpace)
            m_out += u' ';
        m_out += QStringLiteral("\r\n");
        m_lineStart = true;
        m_absorbBlank = false;
        m_pendingSpace = false;
    }
    m_pendingBlock = false;
}

void Renderer::visible(QChar c)
{
    flushBlock();
    if (m_pendingSpace && !m_lineStart)
        m_out += u' ';
    m_pendingSpace = false;
    m_out += c;
    m_lineStart = false;
    m_absorbBlank = false;
    m_cellFresh = false;
    m_breakTail = -1;
}

void Renderer::hardBreak()
{
    flushBlock();
    if (m_pendingSpace && !m_lineStart)
        m_out += u' ';
    m_pendingSpace = false;
    m_breakTail = m_out.size();
    m_out += QStringLiteral("\r\n");
    m_lineStart = true;
    m_absorbBlank = false;
    m_cellFresh = false;
}

void Renderer::blockBoundary()
{
    m_pendingBlock = true;
}

void Renderer::cellStart()
{
    // The row's own line break comes before the cell; after that the cell's
    // content starts afresh: its leading white space and a block boundary at
    // its start give nothing.
    flushBlock();
    m_cellFresh = true;
    m_pendingSpace = false;
}

void Renderer::cellEnd(qsizetype cellStartLength)
{
    // The cell's own blank stands in for a block boundary, collapsed white
    // space or <br> at the end of its content.
    m_pendingBlock = false;
    m_pendingSpace = false;
    if (m_breakTail >= cellStartLength && m_breakTail + 2 == m_out.size())
        m_out.truncate(m_breakTail);
    m_breakTail = -1;
    m_out += u' ';
    m_lineStart = false;
    m_absorbBlank = true;
    m_cellFresh = false;
}

void Renderer::text(const QString &value, bool pre, bool inSelect)
{
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (pre) {
            if (c == u'\r') {
                if (i + 1 < value.size() && value.at(i + 1) == u'\n')
                    ++i;
                hardBreak();
            } else if (c == u'\n') {
                hardBreak();
            } else {
                visible(c == QChar(0x00A0) ? QChar(u' ') : c);
            }
            continue;
        }
        if (isCollapsible(c)) {
            // White space after a pending block boundary stands at the start
            // of the next line.
            if (!m_lineStart && !m_pendingBlock && !m_absorbBlank && !m_cellFresh && !inSelect)
                m_pendingSpace = true;
            continue;
        }
        // A non-breaking space is a plain blank that stays whatever stands beside it.
        visible(c == QChar(0x00A0) ? QChar(u' ') : c);
    }
}

void Renderer::render(const GumboNode *root)
{
    // One frame per open element: where its children are up to, and what
    // its end must still do.
    struct Frame {
        const GumboNode *node;
        unsigned next;
        Kind kind;
        int preDepth;
        bool inSelect;
        qsizetype startLength;
    };
    std::vector<Frame> stack;
    stack.push_back({root, 0, Kind::Inline, 0, false, 0});
    while (!stack.empty()) {
        Frame &frame = stack.back();
        const GumboVector &children = frame.node->v.element.children;
        if (frame.next == children.length) {
            if (frame.kind == Kind::Block)
                blockBoundary();
            else if (frame.kind == Kind::Cell)
                cellEnd(frame.startLength);
            stack.pop_back();
            continue;
        }
        const auto *node = static_cast<const GumboNode *>(children.data[frame.next++]);
        switch (node->type) {
        case GUMBO_NODE_TEXT:
        case GUMBO_NODE_WHITESPACE:
        case GUMBO_NODE_CDATA:
            text(QString::fromUtf8(node->v.text.text), frame.preDepth > 0,
                 frame.inSelect && node->type == GUMBO_NODE_WHITESPACE);
            continue;
        case GUMBO_NODE_ELEMENT:
        case GUMBO_NODE_TEMPLATE: break;
        default: // comments and the document node's own oddities
            continue;
        }
        const GumboElement &element = node->v.element;
        const Kind kind = kindOf(element.tag);
        if (kind == Kind::Skip)
            continue;
        if (kind == Kind::Break) {
            hardBreak();
            continue;
        }
        const int innerPre = frame.preDepth + (keepsWhiteSpace(element.tag) ? 1 : 0);
        const bool innerSelect = frame.inSelect || kind == Kind::Select;
        const qsizetype startLength = m_out.size();
        if (kind == Kind::Block)
            blockBoundary();
        else if (kind == Kind::Cell)
            cellStart();
        // The push may move the frames: frame is not touched after it.
        stack.push_back({node, 0, kind, innerPre, innerSelect, startLength});
    }
}

QString Renderer::finish()
{
    // A <br> that ends the text gives nothing; pending blanks and block
    // boundaries at the end are dropped.
    if (m_breakTail >= 0 && m_breakTail + 2 == m_out.size())
        m_out.truncate(m_breakTail);
    return m_out;
}

// Every block gumbo allocates, so the whole parse is released in one sweep
// once the walk is done: gumbo's own release of the tree recurses once per
// nesting level.
class ParseArena
{
public:
    ParseArena() = default;
    ParseArena(const ParseArena &) = delete;
    ParseArena &operator=(const ParseArena &) = delete;
    ~ParseArena()
    {
        while (m_head.next != &m_head) {
            Header *block = m_head.next;
            unlink(block);
            std::free(block);
        }
    }

    static void *allocate(void *arena, size_t size)
    {
        auto *block = static_cast<Header *>(std::malloc(sizeof(Header) + size));
        if (!block)
            std::abort(); // as the parser would fail on a null block anyway
        Header &head = static_cast<ParseArena *>(arena)->m_head;
        block->prev = &head;
        block->next = head.next;
        head.next->prev = block;
        head.next = block;
        return block + 1;
    }
    static void deallocate(void *, void *pointer)
    {
        if (!pointer)
            return;
        Header *block = static_cast<Header *>(pointer) - 1;
        unlink(block);
        std::free(block);
    }

private:
    struct alignas(std::max_align_t) Header {
        Header *prev;
        Header *next;
    };
    static void unlink(Header *block)
    {
        block->prev->next = block->next;
        block->next->prev = block->prev;
    }
    Header m_head{&m_head, &m_head};
};

} // namespace

QString RenderInnerText(const QString &bodyMarkup)
{
    // The markup is parsed as the body's content, as setting a body's inner
    // HTML does: a head, a frameset or a second body in it are no more than
    // parse errors there. No parse error is kept: the program reads none, and
    // on a broken page they cost memory with every open element.
    const QByteArray utf8 = ClampNesting(bodyMarkup).toUtf8();
    ParseArena arena;
    GumboOptions options = kGumboDefaultOptions;
    options.allocator = &ParseArena::allocate;
    options.deallocator = &ParseArena::deallocate;
    options.userdata = &arena;
    options.max_errors = 0;
    options.fragment_context = GUMBO_TAG_BODY;
    options.fragment_namespace = GUMBO_NAMESPACE_HTML;
    const GumboOutput *output = gumbo_parse_with_options(&options, utf8.constData(), static_cast<size_t>(utf8.size()));
    if (!output || !output->root || output->root->type != GUMBO_NODE_ELEMENT)
        return {};
    Renderer renderer;
    renderer.render(output->root);
    return renderer.finish();
}
