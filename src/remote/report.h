#pragma once
// How dalvimoctl shows what it read: Russian lines for people, the same data
// under stable English keys for scripts (--json), with booleans as booleans
// and numbers as numbers. The lines carry Quorvan's text as it came; the
// printing escapes what a terminal would act on.

#include "records/alarm_record.h"
#include "remote/exchange.h"
#include "records/face_record.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <optional>

namespace remote {

// What a command shows, in both forms; printed once at its end.
struct Shown {
    QStringList lines;
    QJsonObject json;
    QStringList notes;      // for stderr, also on success
    std::optional<Outcome> stop; // shown first, then ends the program with its status

    void add(const QString &key, const QJsonValue &value, const QStringList &text);
};

QJsonObject alarmJson(int n, const records::BudRec &bud);
QString alarmLine(int n, const records::BudRec &bud);
QJsonArray alarmsJson(const records::BudTable &buds);
QStringList alarmsLines(const records::BudTable &buds);

// The skin group with the current style's name; throws proto::ReplyFailure
// when the style index names no style, as the window's page does.
QJsonObject skinJson(const records::SkinGroup &g);
QStringList skinLines(const records::SkinGroup &g);

// Records that were read whole (every optional set).
QJsonObject transparencyJson(const records::TransparencyRecord &r);
QStringList transparencyLines(const records::TransparencyRecord &r);
QJsonObject brightnessJson(const records::BrightnessRecord &r);
QStringList brightnessLines(const records::BrightnessRecord &r);
QJsonObject flagsJson(const records::FaceFlagsRecord &r);
QStringList flagsLines(const records::FaceFlagsRecord &r);

// The names of the four face flags, in the protocol's order.
QStringList flagNames();

// The check-box value of a mode: "transparency", "dimming", "indeterminate".
QString modeName(int mode);

} // namespace remote
