// The EPSG authority factory: coordinate systems, datums, ellipsoids, prime meridians and
// units by their EPSG code, looked up in PROJ's database (proj.db) and built by a Quarn
// factory from the database's WKT 1 text in the GDAL dialect. Installed as <quarn/epsg.h>;
// the library is libquarn-epsg (CMake target quarn::epsg, pkg-config quarn-epsg).
#ifndef QUARN_EPSG_EPSG_H
#define QUARN_EPSG_EPSG_H

#include <quarn/factory/Factory.h>

#include <memory>

// Every object it hands out is created by, registered in and owned by the factory given at
// construction, through CreateFromWKT of the text the database writes for that code (one
// line, as PROJ's WKT1_GDAL export writes it): a host that reads the same text on the same
// factory gets the same pointer. A datum, ellipsoid, prime meridian or unit by code is the
// same object as the one inside the systems read that way. Helper systems built only to carry
// such a part are removed from the factory again.
//
// Codes are texts, "4326" or "EPSG:4326" (the prefix in any case). A code that is malformed,
// unknown, of another kind than asked, or that the factory cannot read gives a null result
// and a readable reason through GetLastFailure; nothing throws. Returned texts live until
// the next call on this authority factory.
//
// Answers are remembered per authority factory (and per state of the projection-loading
// flag, which changes what a text reads to): a code asked again costs a table look-up. A host
// that destroys objects of the factory (DeleteItem, RemoveAll) calls Forget afterwards.
//
// Each authority factory has its own PROJ context; like its factory, it is used by one
// thread at a time.
class QUARN_API CQuarnEpsgAuthorityFactory : public CS_CoordinateSystemAuthorityFactory {
public:
    // Uses PROJ's own database unless `databasePath` names another proj.db. A database that
    // cannot be opened makes every look-up fail with that reason.
    explicit CQuarnEpsgAuthorityFactory(CQuarnCoordinateSystemFactory& factory,
                                        const char* databasePath = nullptr);
    ~CQuarnEpsgAuthorityFactory();
    CQuarnEpsgAuthorityFactory(const CQuarnEpsgAuthorityFactory&) = delete;
    CQuarnEpsgAuthorityFactory& operator=(const CQuarnEpsgAuthorityFactory&) = delete;

    // "EPSG".
    const wchar_t* GetAuthority() const override;
    const CS_ProjectedCoordinateSystem*
    CreateProjectedCoordinateSystem(const wchar_t* code) override;
    const CS_GeographicCoordinateSystem*
    CreateGeographicCoordinateSystem(const wchar_t* code) override;
    const CS_HorizontalDatum* CreateHorizontalDatum(const wchar_t* code) override;
    const CS_Ellipsoid* CreateEllipsoid(const wchar_t* code) override;
    const CS_PrimeMeridian* CreatePrimeMeridian(const wchar_t* code) override;
    const CS_LinearUnit* CreateLinearUnit(const wchar_t* code) override;
    const CS_AngularUnit* CreateAngularUnit(const wchar_t* code) override;
    const CS_VerticalDatum* CreateVerticalDatum(const wchar_t* code) override;
    const CS_VerticalCoordinateSystem* CreateVerticalCoordinateSystem(const wchar_t* code) override;
    const CS_CompoundCoordinateSystem* CreateCompoundCoordinateSystem(const wchar_t* code) override;
    // A geographic or projected coordinate system.
    const CS_HorizontalCoordinateSystem*
    CreateHorizontalCoordinateSystem(const wchar_t* code) override;
    // The name the database gives the object of that code: a coordinate system, else a datum,
    // an ellipsoid, a prime meridian or a unit (the first kind that has the code).
    const wchar_t* DescriptionText(const wchar_t* code) override;
    // The code of the geodetic datum that WKT 1 writes under `wktName` ("WGS_1984" gives
    // "6326"); a current datum wins over a deprecated one of the same name.
    const wchar_t* GeoidFromWKTName(const wchar_t* wktName) override;
    // The name WKT 1 writes for the geodetic datum of that code ("6326" gives "WGS_1984").
    const wchar_t* WKTGeoidName(const wchar_t* geoid) override;

    // Why the last call gave null; empty after a call that succeeded.
    const wchar_t* GetLastFailure() const;
    // Drops the remembered answers, for a host that destroyed objects of the factory.
    void Forget();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

#endif
