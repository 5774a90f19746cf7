#include "common/stop_signals.h"

// No signals to catch: the session's end reaches Qt as a request to quit.
StopSignals::StopSignals(QObject *parent) : QObject(parent) {}

StopSignals::~StopSignals() = default;

void StopSignals::readPending() {}
