#include "serve/atisgenerator.h"

#include "core/failure.h"
#include "core/metar.h"
#include "core/metarrequest.h"
#include "core/texts.h"
#include "net/httpget.h"
#include "serve/currentatissource.h"
#include "serve/generatorreply.h"
#include "serve/generatortexts.h"
#include "serve/profilesource.h"
#include "serve/requesthead.h"

#include <QAbstractHttpServer>
#include <QHttpServerRequest>
#include <QPointer>
#include <QTcpSocket>
#include <memory>

namespace {

// A web page in the controller's browser can reach 127.0.0.1 through a name
// of its own that it rebinds there; the browser then sends that name as the
// Host. Only the loopback names, with our port, are answered.
bool hostAllowed(const QHttpServerRequest& request, quint16 port)
{
    QList<QByteArray> hosts;
    for (const auto& [name, value] : request.headers()) {
        if (name.compare("host", Qt::CaseInsensitive) == 0)
            hosts.append(value);
    }
    return hosts.size() == 1 && IsLoopbackAuthority(hosts.front(), port);
}

} // namespace

// Qt's HTTP server, answering through the generator.
class AtisGenerator::HttpServer : public QAbstractHttpServer
{
public:
    HttpServer(AtisGenerator& generator) : QAbstractHttpServer(&generator), m_generator(generator)
    {
    }

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override
    {
        return m_generator.handle(request, socket);
    }
    void missingHandler(const QHttpServerRequest&, QTcpSocket*) override {}

private:
    AtisGenerator& m_generator;
};

// A request waiting for its airport's METAR. A child of the HTTP server, so
// that it ends with it; it ends with its connection too.
class AtisGenerator::PendingAtis : public QObject
{
public:
    PendingAtis(QObject* parent, QTcpSocket* socket) : QObject(parent), socket(socket)
    {
        connect(socket, &QObject::destroyed, this, &QObject::deleteLater);
    }

    QPointer<QTcpSocket> socket;
    AtisQuery query;
    NamedProfile profile;
    QString icao;
};

// One airport's METAR on its way from the server, and the requests waiting
// for it. A child of the HTTP server, so that it ends with it.
class AtisGenerator::MetarFetch : public QObject
{
public:
    using QObject::QObject;

    std::unique_ptr<HttpGet> get;
    QList<QPointer<PendingAtis>> waiting;
};

AtisGenerator::AtisGenerator(const ProfileSource& profiles, std::function<QString()> metarServerUrl,
                             QObject* parent)
    : QObject(parent), m_profiles(profiles), m_metarServerUrl(std::move(metarServerUrl))
{
}

AtisGenerator::~AtisGenerator()
{
    stop();
}

void AtisGenerator::stop()
{
    // The connections close and the fetches end with them.
    m_fetches.clear();
    delete m_http;
    m_http = nullptr;
    delete m_tcp;
}

void AtisGenerator::makeHttpServer()
{
    if (m_http)
        return;
    m_http = new HttpServer(*this);
    m_http->bind(m_tcp);
}

void AtisGenerator::serve(bool enabled, quint16 port)
{
    stop();
    m_state = State::Off;
    m_port = port;
    m_error.clear();
    if (enabled) {
        auto tcp = std::make_unique<GuardedTcpServer>(m_limits);
        if (tcp->listenOnLoopback(port)) {
            m_tcp = tcp.release();
            m_tcp->setParent(this);
            // Qt's HTTP server loads the TLS backend and its libraries when it
            // is made: made for the first request, not at start-up.
            connect(m_tcp, &GuardedTcpServer::aboutToHandOver, this,
                    &AtisGenerator::makeHttpServer);
            m_port = m_tcp->serverPort();
            m_state = State::Serving;
        } else {
            m_state = tcp->serverError() == QAbstractSocket::AddressInUseError ? State::PortInUse
                                                                               : State::Failed;
            m_error = tcp->errorString();
        }
    }
    Q_EMIT stateChanged();
}

bool AtisGenerator::handle(const QHttpServerRequest& request, QTcpSocket* socket)
{
    // Every answer, its findings included, is in English, whatever the
    // window's language: it is read by other programs.
    const Texts::InEnglish wire;
    // A second request sent on the connection before the first was
    // answered gets no answer: the first answer closes the connection.
    if (!m_tcp->takeRequest(socket))
        return true;
    const auto refuse = [&](int status, const QString& reason) {
        answer(socket, RefusalReply({status, reason}));
    };
    if (!hostAllowed(request, m_port))
        refuse(403, GeneratorTexts::HostNotAllowed);
    else if (FromAnotherSite(request.headers()))
        refuse(403, GeneratorTexts::FromAnotherSite);
    else if (request.method() != QHttpServerRequest::Method::Get)
        refuse(405, GeneratorTexts::OnlyGet);
    else if (request.url().path() == QLatin1String("/current"))
        answer(socket,
               CurrentAtisReply(m_current ? m_current->currentAtis() : std::nullopt, m_clock()));
    else if (request.url().path() == QLatin1String("/atis"))
        startAtis(request, socket);
    else
        refuse(404, GeneratorTexts::NotFound);
    return true;
}

void AtisGenerator::startAtis(const QHttpServerRequest& request, QTcpSocket* socket)
{
    const auto parsed = ParseAtisQuery(request.url().query(QUrl::FullyEncoded));
    if (const Refusal* refusal = std::get_if<Refusal>(&parsed)) {
        answer(socket, RefusalReply(*refusal));
        return;
    }
    const AtisQuery& query = std::get<AtisQuery>(parsed);
    QString icao = query.icao;
    const auto refuse = [&](int status, const QString& reason) {
        answer(socket, RefusalReply({status, reason}, icao, query.informationCode));
    };

    // The airport: the METAR's station, which must be the one named.
    std::optional<DecodedMetar> given;
    if (!query.metar.isEmpty()) {
        given = DecodeMetar(NormaliseMetarReply(query.metar));
        if (!given)
            return refuse(422, GeneratorTexts::MetarNotDecoded);
        // The network's reports are read as the window reads them; a
        // caller's must also read as a METAR group by group.
        if (const std::optional<QString> group = UnreadableMetarGroup(*given))
            return refuse(422, GeneratorTexts::MetarGroupNotUnderstood(*group));
        const QString station = MetarStation(*given);
        if (!icao.isEmpty() && station != icao)
            return refuse(422, GeneratorTexts::MetarForOtherAirport(station, icao));
        icao = station;
    }

    // The profile: the one named, which must be for that airport, or the
    // airport's first.
    std::optional<NamedProfile> profile;
    if (!query.profile.isEmpty()) {
        profile = m_profiles.profileNamed(query.profile);
        if (!profile)
            return refuse(404, GeneratorTexts::NoProfileNamed(query.profile));
        const QString profileIcao = profile->profile.icao.trimmed().toUpper();
        if (icao.isEmpty())
            icao = profileIcao;
        else if (profileIcao != icao)
            return given ? refuse(422, GeneratorTexts::MetarForOtherAirport(icao, profileIcao))
                         : refuse(400, GeneratorTexts::ProfileForOtherAirport(query.profile,
                                                                              profileIcao, icao));
    } else {
        profile = m_profiles.firstProfileFor(icao);
        if (!profile)
            return refuse(404, GeneratorTexts::NoProfileFor(icao));
    }
    if (given)
        return answer(socket, AtisReply(query, *profile, *given, m_clock()));

    // No METAR given: fetched as the window's update cycle fetches it, by a
    // request of its own that the event loop drives.
    if (icao.isEmpty())
        return refuse(400, GeneratorTexts::MissingMetarOrIcao);
    const QString server = m_metarServerUrl();
    if (server.isEmpty())
        return refuse(502, GeneratorTexts::NoMetarServer);
    auto* pending = new PendingAtis(m_http, socket);
    pending->query = query;
    pending->profile = *profile;
    pending->icao = icao;
    // A burst of callers for one airport costs one fetch: they wait for the
    // one under way, and the reply is kept a while.
    if (const auto kept = m_kept.constFind(icao);
        kept != m_kept.cend() && kept->since.elapsed() < m_metarKeepMs)
        return fetched(pending, &kept->body, QString());
    MetarFetch*& fetch = m_fetches[icao];
    if (!fetch) {
        fetch = new MetarFetch(m_http);
        fetch->get = std::make_unique<HttpGet>(
            BuildMetarRequestURL(server, icao),
            HttpGet::Options{m_fetchTimeoutMs, MaxMetarBytes, {}},
            [this, icao](const HttpGet::Result& result) { fetchEnded(icao, result); });
    }
    fetch->waiting.append(pending);
}

void AtisGenerator::fetchEnded(const QString& icao, const HttpGet::Result& result)
{
    const Texts::InEnglish wire;
    MetarFetch* fetch = m_fetches.take(icao);
    // Its fetch is calling: it goes once the call is over.
    fetch->deleteLater();
    const QByteArray* body = std::get_if<QByteArray>(&result);
    if (body) {
        KeptReply& kept = m_kept[icao];
        kept.body = *body;
        kept.since.start();
    }
    const Failure* failure = std::get_if<Failure>(&result);
    for (PendingAtis* pending : std::as_const(fetch->waiting)) {
        if (pending)
            fetched(pending, body, failure ? FailureText(*failure) : QString());
    }
}

void AtisGenerator::fetched(PendingAtis* pending, const QByteArray* body, const QString& failure)
{
    pending->deleteLater();
    QTcpSocket* socket = pending->socket;
    if (!socket || socket->state() != QAbstractSocket::ConnectedState)
        return;
    const QString& icao = pending->icao;
    const auto refuse = [&](int status, const QString& reason) {
        answer(socket, RefusalReply({status, reason}, icao, pending->query.informationCode));
    };
    if (!body)
        return refuse(502, GeneratorTexts::MetarServerFailed(failure));
    const QString reply = NormaliseMetarReply(QString::fromUtf8(*body));
    if (IsNoMetarReply(reply))
        return refuse(502, GeneratorTexts::MetarServerHasNone(icao));
    const std::optional<DecodedMetar> metar = DecodeMetar(reply);
    if (!metar)
        return refuse(422, GeneratorTexts::MetarNotDecoded);
    if (MetarStation(*metar) != icao)
        return refuse(502, GeneratorTexts::MetarServerOtherAirport(MetarStation(*metar), icao));
    answer(socket, AtisReply(pending->query, pending->profile, *metar, m_clock()));
}

void AtisGenerator::answer(QTcpSocket* socket, const GeneratorReply& reply)
{
    socket->write(AnswerBytes(reply));
    m_tcp->answered(socket);
    m_recent.prepend(
        {m_clock(), reply.icao, reply.informationCode, reply.status, reply.reason, reply.findings});
    if (m_recent.size() > RecentLength)
        m_recent.removeLast();
    Q_EMIT served(m_recent.front());
}
