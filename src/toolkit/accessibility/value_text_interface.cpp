#include "toolkit/accessibility/value_text_interface.h"

namespace tk::a11y {

QString ValueTextInterface::text(int startOffset, int endOffset) const
{
    const QString v = valueText();
    startOffset = qBound(0, startOffset, int(v.size()));
    endOffset = endOffset < 0 ? int(v.size()) : qBound(startOffset, endOffset, int(v.size()));
    return v.mid(startOffset, endOffset - startOffset);
}

QString ValueTextInterface::attributes(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

} // namespace tk::a11y
