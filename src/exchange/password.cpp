#include "exchange/password.h"

namespace {

// The only place that fixes the password: four two-character constants around a five-character run
// whose codes follow from the positions 1..5. Printable ASCII, so that any ZIP tool can be given it.
constexpr char first[] = "Vq";
constexpr char second[] = "7r";
constexpr char third[] = "Kx";
constexpr char fourth[] = "2m";

QChar runCharacter(int position) {
    return QLatin1Char(char('a' + (position * 7 + 3) % 26));
}

} // namespace

QString heslo_zip() {
    QString password = QLatin1String(first);
    for (int position = 1; position <= 5; ++position)
        password += runCharacter(position);
    return password + QLatin1String(second) + QLatin1String(third) + QLatin1String(fourth);
}
