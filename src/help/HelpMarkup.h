#pragma once
// The light markup of help topics (help/README.md) turned into HTML for the viewer:
// paragraphs, "# " headings, "- " and "1. " lists, *bold*, [[topic]] and [[topic|text]]
// links, and "\" to take the next character as it stands.

#include <QString>

class HelpDocument;

// Links become <a href="topic:<id>">; a bare [[id]] shows the title of that topic in
// `document` (the id itself when there is no such topic).
QString HelpMarkupToHtml(const QString &markup, const HelpDocument *document);
