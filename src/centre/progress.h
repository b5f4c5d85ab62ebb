#pragma once

#include <QElapsedTimer>
#include <QString>

#include <cstdio>

namespace centre {

// A line on the terminal that says how far a long run is: archives done of all, their rate and the time
// left. It stays silent when the output is no terminal, so that a file or a pipe gets the results alone.
class Progress {
public:
    Progress(std::FILE *out, int total, bool shown);
    void update(int done);
    // Removes the line before other output goes to the terminal; the next update draws it again.
    void clear();

    // The text of the line at that point of the run.
    static QString line(int done, int total, qint64 elapsedMs);

private:
    std::FILE *m_out;
    int m_total;
    bool m_shown;
    bool m_drawn = false;
    qint64 m_lastDrawn = -1;
    QElapsedTimer m_timer;
};

} // namespace centre
