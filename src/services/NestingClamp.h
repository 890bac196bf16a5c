#pragma once

#include <QString>

// Keeps a page's elements from nesting deeper than a browser would build them.
// A browser attaches elements past a fixed depth at that depth; the HTML
// parser we use has no such limit, and its work per tag grows with the depth
// of the open elements, so a page of nothing but unclosed tags would cost time
// and memory with the square of its length.
//
// This pass reads the markup's tags the way the parser's tokenizer does and
// follows roughly which elements stay open (implied ends of p, li, cells and
// rows, misnested formatting elements counted generously). Once that depth
// reaches maxDepth, further start tags of elements that would nest are left
// out; their text, end tags, comments and everything else stay where they
// are, so every character of text still reaches the rendered text (an
// element that hides its content, such as an object's fallback, goes with
// its content). A page that never gets that deep, and whose tags hold no
// attributes, comes back unchanged.
//
// At any depth: every tag loses its attributes but an input's type and an
// isindex's prompt, the only ones that change the rendered text (the parser
// compares each attribute of a tag with all the earlier ones, and merges the
// attributes of every html and body tag into one element), and a tag cut off
// by the end of the text goes, as the parser drops it; SVG and MathML start
// tags are left out (on several mixes of their content with tables, selects
// and CDATA the parser fails an assertion and would abort the program);
// formatting elements (b, font, a, ...) past eight since the last cell lose
// their tags (the parser copies every one of them back in before each run of
// text); and no "<" inside a raw-text element reaches the parser as "<",
// since where the parser does not build that element it reads the content as
// markup.
QString ClampNesting(const QString &markup, int maxDepth = 512);
