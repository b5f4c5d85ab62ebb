#include "centre/progress.h"

using namespace Qt::StringLiterals;

namespace centre {

Progress::Progress(std::FILE *out, int total, bool shown) : m_out(out), m_total(total), m_shown(shown) {
    m_timer.start();
}

QString Progress::line(int done, int total, qint64 elapsedMs) {
    QString text = u"Overené %1 z %2 archívov"_s.arg(done).arg(total);
    if (done == 0 || elapsedMs <= 0)
        return text;
    const double rate = 1000.0 * done / double(elapsedMs);
    const qint64 left = qint64(double(total - done) / rate + 0.5);
    return text + u", %1 za sekundu, zostáva asi %2 s"_s.arg(qint64(rate + 0.5)).arg(left);
}

void Progress::update(int done) {
    const qint64 now = m_timer.elapsed();
    // Redrawn at most five times a second: a terminal over a slow link must not hold the run up.
    if (!m_shown || (m_drawn && now - m_lastDrawn < 200 && done < m_total))
        return;
    std::fprintf(m_out, "\r\033[K%s", line(done, m_total, now).toUtf8().constData());
    std::fflush(m_out);
    m_drawn = true;
    m_lastDrawn = now;
}

void Progress::clear() {
    if (!m_drawn)
        return;
    std::fputs("\r\033[K", m_out);
    m_drawn = false;
}

} // namespace centre
