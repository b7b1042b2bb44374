/* The WKT dialect read by CreateFromWKT: 100 rules (rule 0 is the start rule the generator
   adds). The rule actions are not here: the parse engine calls
   CQuarnWKTCoordinateSystemParser::RunAction with the rule number, so this file only shapes
   the parse tables. The token codes are fixed by the order of the %token lines below
   (AUTHORITY is 257, STRING 289; 256 is the error token). Regenerate the tables with the
   build target quarn_grammar; tools/check-grammar.sh verifies the checked-in copy. */

%token AUTHORITY AXIS COMPD_CS CONCAT_MT DATUM DOWN EAST FITTED_CS GEOCCS GEOGCS
%token INVERSE_MT LOCAL_CS LOCAL_DATUM NORTH OTHER PARAMETER PARAM_MT PASSTHROUGH_MT
%token PRIMEM PROJCS PROJECTION SOUTH SPHEROID TOWGS84 UNIT UP VERT_DATUM VERT_CS WEST
%token THREEDIM INTEGER REAL STRING

%start coordinate_system

%%

coordinate_system
    : horz_cs
    | geocentric_cs
    | vert_cs
    | compd_cs
    | fitted_cs
    | local_cs
    ;

horz_cs
    : geographic_cs
    | projected_cs
    ;

projected_cs
    : PROJCS '[' name ',' geographic_cs ',' projection ',' linear_unit ',' axis ',' axis ']'
    | PROJCS '[' name ',' geographic_cs ',' projection ',' linear_unit ']'
    | PROJCS '[' name ',' geographic_cs ',' projection ',' linear_unit ',' axis ',' axis ',' authority ']'
    | PROJCS '[' name ',' geographic_cs ',' projection ',' linear_unit ',' authority ']'
    ;

projection
    : PROJECTION '[' name ']' ',' parameter_list
    | PROJECTION '[' name ']'
    | PROJECTION '[' name ',' authority ']' ',' parameter_list
    | PROJECTION '[' name ',' authority ']'
    ;

geographic_cs
    : GEOGCS '[' name ',' datum ',' prime_meridian ',' angular_unit ',' axis ',' axis ']'
    | GEOGCS '[' name ',' datum ',' prime_meridian ',' angular_unit ']'
    | GEOGCS '[' name ',' datum ',' prime_meridian ',' angular_unit ',' axis ',' axis ',' authority ']'
    | GEOGCS '[' name ',' datum ',' prime_meridian ',' angular_unit ',' authority ']'
    ;

datum
    : DATUM '[' name ',' spheroid ',' to_wgs84 ']'
    | DATUM '[' name ',' spheroid ']'
    | DATUM '[' name ',' spheroid ',' to_wgs84 ',' authority ']'
    | DATUM '[' name ',' spheroid ',' authority ']'
    | DATUM '[' name ',' spheroid ',' to_wgs84 ',' threedim ']'
    ;

spheroid
    : SPHEROID '[' name ',' semi_major_axis ',' inverse_flattening ']'
    | SPHEROID '[' name ',' semi_major_axis ',' inverse_flattening ',' authority ']'
    ;

semi_major_axis
    : number
    ;

inverse_flattening
    : number
    ;

prime_meridian
    : PRIMEM '[' name ',' longitude ']'
    | PRIMEM '[' name ',' longitude ',' authority ']'
    ;

longitude
    : number
    ;

angular_unit
    : UNIT '[' name ',' conversion_factor ']'
    | UNIT '[' name ',' conversion_factor ',' authority ']'
    ;

linear_unit
    : UNIT '[' name ',' conversion_factor ']'
    | UNIT '[' name ',' conversion_factor ',' authority ']'
    ;

conversion_factor
    : number
    ;

geocentric_cs
    : GEOCCS '[' name ',' datum ',' prime_meridian ',' linear_unit ',' axis ',' axis ',' axis ']'
    | GEOCCS '[' name ',' datum ',' prime_meridian ',' linear_unit ']'
    | GEOCCS '[' name ',' datum ',' prime_meridian ',' linear_unit ',' axis ',' axis ',' axis ',' authority ']'
    | GEOCCS '[' name ',' datum ',' prime_meridian ',' linear_unit ',' authority ']'
    ;

authority
    : AUTHORITY '[' name ',' code ']'
    ;

threedim
    : THREEDIM '[' lbf ',' cop ']'
    ;

lbf
    : STRING
    ;

cop
    : STRING
    ;

vert_cs
    : VERT_CS '[' name ',' vert_datum ',' linear_unit ',' axis ']'
    | VERT_CS '[' name ',' vert_datum ',' linear_unit ']'
    | VERT_CS '[' name ',' vert_datum ',' linear_unit ',' axis ',' authority ']'
    | VERT_CS '[' name ',' vert_datum ',' linear_unit ',' authority ']'
    ;

vert_datum
    : VERT_DATUM '[' name ',' datum_type ']'
    | VERT_DATUM '[' name ',' datum_type ',' authority ']'
    ;

datum_type
    : INTEGER
    ;

compd_cs
    : COMPD_CS '[' name ',' head_cs ',' tail_cs ']'
    | COMPD_CS '[' name ',' head_cs ',' tail_cs ',' authority ']'
    ;

head_cs
    : local_cs
    | horz_cs
    | fitted_cs
    ;

tail_cs
    : vert_cs
    | fitted_cs
    ;

axis
    : AXIS '[' name ',' axis_direction ']'
    ;

axis_direction
    : NORTH
    | SOUTH
    | EAST
    | WEST
    | UP
    | DOWN
    | OTHER
    ;

to_wgs84
    : TOWGS84 '[' dx ',' dy ',' dz ',' ex ',' ey ',' ez ',' ppm ']'
    ;

dx : number ;
dy : number ;
dz : number ;
ex : number ;
ey : number ;
ez : number ;
ppm : number ;

fitted_cs
    : FITTED_CS '[' name ',' to_base ',' base_cs ']'
    ;

to_base
    : param_mt
    ;

base_cs
    : horz_cs
    | vert_cs
    ;

local_cs
    : LOCAL_CS '[' name ',' local_datum ',' linear_unit ',' axis_list ']'
    | LOCAL_CS '[' name ',' local_datum ',' linear_unit ',' axis_list ',' authority ']'
    ;

local_datum
    : LOCAL_DATUM '[' name ',' datum_type ']'
    | LOCAL_DATUM '[' name ',' datum_type ',' authority ']'
    ;

name
    : STRING
    ;

number
    : INTEGER
    | REAL
    ;

code
    : STRING
    ;

axis_list
    : axis
    | axis_list ',' axis
    ;

param_mt
    : PARAM_MT '[' classification_name ',' parameter_list ']'
    | PARAM_MT '[' classification_name ']'
    ;

classification_name
    : STRING
    ;

parameter
    : PARAMETER '[' name ',' value ']'
    ;

value
    : number
    ;

parameter_list
    : parameter
    | parameter_list ',' parameter
    ;

concat_param_mt
    : CONCAT_MT '[' param_mt_list ']'
    ;

param_mt_list
    : param_mt
    | param_mt_list ',' param_mt
    ;

%%
