#pragma once
// How the face page shows a reply that its parser fills field by field.

#include "protocol/reply_fields.h"

#include <QString>

namespace face {

// Shows what the parser converted, also when the reply broke part-way,
// and then passes the failure on to the dispatcher.
template <class Record, class Show>
void showParsed(void (*parse)(const QString &, Record &), const QString &payload, Record &r, Show show)
{
    try {
        parse(payload, r);
    } catch (const proto::ReplyFailure &) {
        show();
        throw;
    }
    show();
}

} // namespace face
