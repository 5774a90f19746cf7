#include "udp_forger.h"

#include <QSocketNotifier>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/udp.h>
#include <sys/socket.h>
#include <unistd.h>

UdpForger::~UdpForger()
{
    delete m_notifier;
    for (const int fd : {m_listen, m_send})
        if (fd >= 0)
            ::close(fd);
}

bool UdpForger::open(QString *why)
{
    m_listen = ::socket(AF_INET, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_UDP);
    m_send = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_RAW); // the IP header is ours to write
    if (m_listen < 0 || m_send < 0) {
        *why = QStringLiteral("raw sockets need root (CAP_NET_RAW): %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_notifier = new QSocketNotifier(m_listen, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UdpForger::readPending);
    return true;
}

bool UdpForger::send(const QHostAddress &from, quint16 fromPort, const QHostAddress &to, quint16 toPort,
                     const QByteArray &payload)
{
    QByteArray packet(qsizetype(sizeof(iphdr) + sizeof(udphdr)), '\0');
    auto *ip = reinterpret_cast<iphdr *>(packet.data());
    ip->version = 4;
    ip->ihl = 5;
    ip->ttl = 64;
    ip->protocol = IPPROTO_UDP;
    ip->tot_len = qToBigEndian(quint16(packet.size() + payload.size()));
    ip->saddr = qToBigEndian(from.toIPv4Address());
    ip->daddr = qToBigEndian(to.toIPv4Address());
    auto *udp = reinterpret_cast<udphdr *>(packet.data() + sizeof(iphdr));
    udp->source = qToBigEndian(fromPort);
    udp->dest = qToBigEndian(toPort);
    udp->len = qToBigEndian(quint16(sizeof(udphdr) + payload.size()));
    // No UDP checksum (allowed over IPv4); the system fills in the IP one.
    sockaddr_in dest = {};
    dest.sin_family = AF_INET;
    dest.sin_addr.s_addr = ip->daddr;
    packet += payload;
    return ::sendto(m_send, packet.constData(), size_t(packet.size()), 0, reinterpret_cast<sockaddr *>(&dest),
                    sizeof dest)
        == packet.size();
}

void UdpForger::readPending()
{
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::recv(m_listen, buffer, sizeof buffer, 0);
        if (n < ssize_t(sizeof(iphdr)))
            return;
        const auto *ip = reinterpret_cast<const iphdr *>(buffer);
        const ssize_t udpAt = ssize_t(ip->ihl) * 4;
        if (n < udpAt + ssize_t(sizeof(udphdr)))
            continue;
        const auto *udp = reinterpret_cast<const udphdr *>(buffer + udpAt);
        emit seen(QHostAddress(qFromBigEndian(ip->saddr)), qFromBigEndian(udp->source),
                  QHostAddress(qFromBigEndian(ip->daddr)), qFromBigEndian(udp->dest),
                  QByteArray(buffer + udpAt + sizeof(udphdr), n - udpAt - ssize_t(sizeof(udphdr))));
    }
}
