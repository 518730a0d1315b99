// Any bytes read as a help file and, when they are one, every topic shown and the keyword
// index searched; the bytes are also shown as a topic's text, whatever the file's head says.

#include "help/HelpDocument.h"
#include "help/HelpMarkup.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    HelpDocument document;
    QString error;
    if (document.Parse(bytes, &error)) {
        for (const HelpTopic &topic : document.Topics())
            document.TopicHtml(topic);
        document.UnresolvedLinks();
        if (!document.Index().isEmpty())
            document.MatchKeywords(document.Index().first().keyword.left(2));
        document.Contents();
    }
    HelpMarkupToHtml(QString::fromUtf8(bytes), &document);
    return 0;
}
