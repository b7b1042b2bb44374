/* The WKT dialect read by CreateFromWKT: 100 rules (rule 0 is the start rule the generator
   adds). Each alternative names itself with QUARN_RULE(Name) (the names are declared in
   wkt/WktRules.h); the generator turns these into WktRuleName, and the rule actions in
   wkt/WktActions.cpp switch on the names, so adding or moving a rule cannot shift another
   rule's action. The token codes are fixed by the order of the %token lines below
   (AUTHORITY is 257, STRING 289; 256 is the error token). Regenerate the tables with the
   build target quarn_grammar; scripts/check-grammar.sh verifies the checked-in copy. */

%token AUTHORITY AXIS COMPD_CS CONCAT_MT DATUM DOWN EAST FITTED_CS GEOCCS GEOGCS
%token INVERSE_MT LOCAL_CS LOCAL_DATUM NORTH OTHER PARAMETER PARAM_MT PASSTHROUGH_MT
%token PRIMEM PROJCS PROJECTION SOUTH SPHEROID TOWGS84 UNIT UP VERT_DATUM VERT_CS WEST
%token THREEDIM INTEGER REAL STRING

%start coordinate_system

%%

coordinate_system
    : horz_cs { QUARN_RULE(TopHorizontal) }
    | geocentric_cs { QUARN_RULE(TopGeocentric) }
    | vert_cs { QUARN_RULE(TopVertical) }
    | compd_cs { QUARN_RULE(TopCompound) }
    | fitted_cs { QUARN_RULE(TopFitted) }
    | local_cs { QUARN_RULE(TopLocal) }
    ;

horz_cs
    : geographic_cs { QUARN_RULE(HorizontalGeographic) }
    | projected_cs { QUARN_RULE(HorizontalProjected) }
    ;

projected_cs
    : PROJCS '[' name ',' geographic_cs ',' projection ',' linear_unit ',' axis ',' axis ']' { QUARN_RULE(ProjectedAxes) }
    | PROJCS '[' name ',' geographic_cs ',' projection ',' linear_unit ']' { QUARN_RULE(Projected) }
    | PROJCS '[' name ',' geographic_cs ',' projection ',' linear_unit ',' axis ',' axis ',' authority ']' { QUARN_RULE(ProjectedAxesAuthority) }
    | PROJCS '[' name ',' geographic_cs ',' projection ',' linear_unit ',' authority ']' { QUARN_RULE(ProjectedAuthority) }
    ;

projection
    : PROJECTION '[' name ']' ',' parameter_list { QUARN_RULE(ProjectionParameters) }
    | PROJECTION '[' name ']' { QUARN_RULE(Projection) }
    | PROJECTION '[' name ',' authority ']' ',' parameter_list { QUARN_RULE(ProjectionAuthorityParameters) }
    | PROJECTION '[' name ',' authority ']' { QUARN_RULE(ProjectionAuthority) }
    ;

geographic_cs
    : GEOGCS '[' name ',' datum ',' prime_meridian ',' angular_unit ',' axis ',' axis ']' { QUARN_RULE(GeographicAxes) }
    | GEOGCS '[' name ',' datum ',' prime_meridian ',' angular_unit ']' { QUARN_RULE(Geographic) }
    | GEOGCS '[' name ',' datum ',' prime_meridian ',' angular_unit ',' axis ',' axis ',' authority ']' { QUARN_RULE(GeographicAxesAuthority) }
    | GEOGCS '[' name ',' datum ',' prime_meridian ',' angular_unit ',' authority ']' { QUARN_RULE(GeographicAuthority) }
    ;

datum
    : DATUM '[' name ',' spheroid ',' to_wgs84 ']' { QUARN_RULE(DatumShift) }
    | DATUM '[' name ',' spheroid ']' { QUARN_RULE(Datum) }
    | DATUM '[' name ',' spheroid ',' to_wgs84 ',' authority ']' { QUARN_RULE(DatumShiftAuthority) }
    | DATUM '[' name ',' spheroid ',' authority ']' { QUARN_RULE(DatumAuthority) }
    | DATUM '[' name ',' spheroid ',' to_wgs84 ',' threedim ']' { QUARN_RULE(DatumShiftGridFiles) }
    ;

spheroid
    : SPHEROID '[' name ',' semi_major_axis ',' inverse_flattening ']' { QUARN_RULE(Spheroid) }
    | SPHEROID '[' name ',' semi_major_axis ',' inverse_flattening ',' authority ']' { QUARN_RULE(SpheroidAuthority) }
    ;

semi_major_axis
    : number { QUARN_RULE(SemiMajorAxis) }
    ;

inverse_flattening
    : number { QUARN_RULE(InverseFlattening) }
    ;

prime_meridian
    : PRIMEM '[' name ',' longitude ']' { QUARN_RULE(PrimeMeridian) }
    | PRIMEM '[' name ',' longitude ',' authority ']' { QUARN_RULE(PrimeMeridianAuthority) }
    ;

longitude
    : number { QUARN_RULE(Longitude) }
    ;

angular_unit
    : UNIT '[' name ',' conversion_factor ']' { QUARN_RULE(AngularUnit) }
    | UNIT '[' name ',' conversion_factor ',' authority ']' { QUARN_RULE(AngularUnitAuthority) }
    ;

linear_unit
    : UNIT '[' name ',' conversion_factor ']' { QUARN_RULE(LinearUnit) }
    | UNIT '[' name ',' conversion_factor ',' authority ']' { QUARN_RULE(LinearUnitAuthority) }
    ;

conversion_factor
    : number { QUARN_RULE(ConversionFactor) }
    ;

geocentric_cs
    : GEOCCS '[' name ',' datum ',' prime_meridian ',' linear_unit ',' axis ',' axis ',' axis ']' { QUARN_RULE(GeocentricAxes) }
    | GEOCCS '[' name ',' datum ',' prime_meridian ',' linear_unit ']' { QUARN_RULE(Geocentric) }
    | GEOCCS '[' name ',' datum ',' prime_meridian ',' linear_unit ',' axis ',' axis ',' axis ',' authority ']' { QUARN_RULE(GeocentricAxesAuthority) }
    | GEOCCS '[' name ',' datum ',' prime_meridian ',' linear_unit ',' authority ']' { QUARN_RULE(GeocentricAuthority) }
    ;

authority
    : AUTHORITY '[' name ',' code ']' { QUARN_RULE(Authority) }
    ;

threedim
    : THREEDIM '[' lbf ',' cop ']' { QUARN_RULE(GridFiles) }
    ;

lbf
    : STRING { QUARN_RULE(LbfFile) }
    ;

cop
    : STRING { QUARN_RULE(CopFile) }
    ;

vert_cs
    : VERT_CS '[' name ',' vert_datum ',' linear_unit ',' axis ']' { QUARN_RULE(VerticalAxis) }
    | VERT_CS '[' name ',' vert_datum ',' linear_unit ']' { QUARN_RULE(Vertical) }
    | VERT_CS '[' name ',' vert_datum ',' linear_unit ',' axis ',' authority ']' { QUARN_RULE(VerticalAxisAuthority) }
    | VERT_CS '[' name ',' vert_datum ',' linear_unit ',' authority ']' { QUARN_RULE(VerticalAuthority) }
    ;

vert_datum
    : VERT_DATUM '[' name ',' datum_type ']' { QUARN_RULE(VerticalDatum) }
    | VERT_DATUM '[' name ',' datum_type ',' authority ']' { QUARN_RULE(VerticalDatumAuthority) }
    ;

datum_type
    : INTEGER { QUARN_RULE(DatumType) }
    ;

compd_cs
    : COMPD_CS '[' name ',' head_cs ',' tail_cs ']' { QUARN_RULE(Compound) }
    | COMPD_CS '[' name ',' head_cs ',' tail_cs ',' authority ']' { QUARN_RULE(CompoundAuthority) }
    ;

head_cs
    : local_cs { QUARN_RULE(HeadLocal) }
    | horz_cs { QUARN_RULE(HeadHorizontal) }
    | fitted_cs { QUARN_RULE(HeadFitted) }
    ;

tail_cs
    : vert_cs { QUARN_RULE(TailVertical) }
    | fitted_cs { QUARN_RULE(TailFitted) }
    ;

axis
    : AXIS '[' name ',' axis_direction ']' { QUARN_RULE(Axis) }
    ;

axis_direction
    : NORTH { QUARN_RULE(North) }
    | SOUTH { QUARN_RULE(South) }
    | EAST { QUARN_RULE(East) }
    | WEST { QUARN_RULE(West) }
    | UP { QUARN_RULE(Up) }
    | DOWN { QUARN_RULE(Down) }
    | OTHER { QUARN_RULE(Other) }
    ;

to_wgs84
    : TOWGS84 '[' dx ',' dy ',' dz ',' ex ',' ey ',' ez ',' ppm ']' { QUARN_RULE(Shift) }
    ;

dx : number { QUARN_RULE(Dx) } ;
dy : number { QUARN_RULE(Dy) } ;
dz : number { QUARN_RULE(Dz) } ;
ex : number { QUARN_RULE(Ex) } ;
ey : number { QUARN_RULE(Ey) } ;
ez : number { QUARN_RULE(Ez) } ;
ppm : number { QUARN_RULE(Ppm) } ;

fitted_cs
    : FITTED_CS '[' name ',' to_base ',' base_cs ']' { QUARN_RULE(Fitted) }
    ;

to_base
    : param_mt { QUARN_RULE(ToBase) }
    ;

base_cs
    : horz_cs { QUARN_RULE(BaseHorizontal) }
    | vert_cs { QUARN_RULE(BaseVertical) }
    ;

local_cs
    : LOCAL_CS '[' name ',' local_datum ',' linear_unit ',' axis_list ']' { QUARN_RULE(Local) }
    | LOCAL_CS '[' name ',' local_datum ',' linear_unit ',' axis_list ',' authority ']' { QUARN_RULE(LocalAuthority) }
    ;

local_datum
    : LOCAL_DATUM '[' name ',' datum_type ']' { QUARN_RULE(LocalDatum) }
    | LOCAL_DATUM '[' name ',' datum_type ',' authority ']' { QUARN_RULE(LocalDatumAuthority) }
    ;

name
    : STRING { QUARN_RULE(Name) }
    ;

number
    : INTEGER { QUARN_RULE(NumberInteger) }
    | REAL { QUARN_RULE(NumberReal) }
    ;

code
    : STRING { QUARN_RULE(Code) }
    ;

axis_list
    : axis { QUARN_RULE(AxisListFirst) }
    | axis_list ',' axis { QUARN_RULE(AxisListNext) }
    ;

param_mt
    : PARAM_MT '[' classification_name ',' parameter_list ']' { QUARN_RULE(ParamMtParameters) }
    | PARAM_MT '[' classification_name ']' { QUARN_RULE(ParamMt) }
    ;

classification_name
    : STRING { QUARN_RULE(ClassificationName) }
    ;

parameter
    : PARAMETER '[' name ',' value ']' { QUARN_RULE(Parameter) }
    ;

value
    : number { QUARN_RULE(Value) }
    ;

parameter_list
    : parameter { QUARN_RULE(ParameterListFirst) }
    | parameter_list ',' parameter { QUARN_RULE(ParameterListNext) }
    ;

concat_param_mt
    : CONCAT_MT '[' param_mt_list ']' { QUARN_RULE(ConcatMt) }
    ;

param_mt_list
    : param_mt { QUARN_RULE(ParamMtListFirst) }
    | param_mt_list ',' param_mt { QUARN_RULE(ParamMtListNext) }
    ;

%%
