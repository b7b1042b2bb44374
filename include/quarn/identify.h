// Which EPSG system is this? Identification of a coordinate system that carries no code,
// against PROJ's database. Installed as <quarn/identify.h>; part of libquarn-epsg.
#ifndef QUARN_IDENTIFY_H
#define QUARN_IDENTIFY_H

#include <quarn/model/Export.h>
#include <quarn/model/Model.h>

#include <memory>
#include <string>
#include <vector>

namespace quarn {

// One candidate of an identification.
struct Match {
    // The EPSG code, digits only; for a compound system the database does not have, the
    // codes of its two parts joined by '+' ("4326+5773").
    std::string code;
    // How sure the match is, 0 to 100:
    //   100  the meaning is equivalent (quarn::Equivalent) and the names agree: the
    //        system's name is the database's or one of its aliases (EPSG, GDAL and ESRI
    //        spellings; case, spaces, underscores and other punctuation ignored) and the
    //        datum is known by its name;
    //    90  the meaning is equivalent, the datum known by its name, the system's name is
    //        not the database's, and no other current system of the database has that meaning;
    //    80  the same, with other current systems of that meaning (names decide nothing);
    //    70  the meaning is equivalent, the system's name agrees, but the datum's name is
    //        unknown: it matches by its ellipsoid (and shift) only;
    //    50  the same, and the system's name does not agree either;
    //    25  the system's name agrees but its meaning differs.
    // A compound has the lower confidence of its parts.
    int confidence = 0;
    // The database's name; empty for a compound the database does not have.
    std::string name;
    bool deprecated = false;
    // For a compound the database does not have: its two parts, head first.
    std::vector<Match> parts;
};

// Identifies systems against the EPSG systems of PROJ's database: geographic (2D, and 3D as
// ESRI writes them, a GEOGCS closed by LINUNIT), projected, geocentric, vertical and
// compound systems. The index of the database is built at the first call (or read from the
// cache of an earlier run, in $XDG_CACHE_HOME/quarn or ~/.cache/quarn, keyed by the
// database's identity and checked before use). Identifying adds nothing to the factory the
// system came from. One identifier is used by one thread at a time.
class QUARN_API EpsgIdentifier {
public:
    // Uses PROJ's own database unless `databasePath` names another proj.db.
    explicit EpsgIdentifier(const char* databasePath = nullptr);
    ~EpsgIdentifier();
    EpsgIdentifier(const EpsgIdentifier&) = delete;
    EpsgIdentifier& operator=(const EpsgIdentifier&) = delete;

    // The candidates of confidence `minConfidence` or more: best first; among equal
    // confidence a current code before a deprecated one, then the lowest code. Empty when
    // there is none, when the system is of a kind with no candidates (local, fitted) or when
    // the database cannot be read (LastFailure says why).
    std::vector<Match> Identify(const CS_CoordinateSystem& system, int minConfidence = 0);

    // Why the database cannot be used; empty when it can.
    const std::string& LastFailure() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace quarn

#endif
