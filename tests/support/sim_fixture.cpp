#include "sim_fixture.h"

namespace {

sim::SimOptions quietOptions(const std::function<void(sim::SimOptions &)> &tune)
{
    sim::SimOptions o;
    o.port = 0;
    o.quiet = true;
    if (tune)
        tune(o);
    return o;
}

} // namespace

SimFixture::SimFixture(const std::function<void(sim::SimOptions &)> &tune) : SimServer(quietOptions(tune))
{
    connect(this, &SimServer::datagramReceived, this, [this](const QString &text, bool drop) {
        heard << text;
        dropped << drop;
    });
    started = start();
}

int SimFixture::applied(const QString &text) const
{
    int n = 0;
    for (qsizetype i = 0; i < heard.size(); ++i)
        n += heard.at(i) == text && !dropped.at(i);
    return n;
}
