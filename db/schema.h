#pragma once

#include <QStringList>

// The reference definition of a conforming collection database. The palette itself only
// reads databases; these statements are used by the demo collection builder, the inspection
// tool and the tests.
namespace Sorven::DB {

inline constexpr char SystemWideCollectionUuidText[] = "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}";

inline constexpr char GLOBALSETTING[] = "GLOBALSETTING";
inline constexpr char COLLECTION[] = "COLLECTION";
inline constexpr char MOOD[] = "MOOD";
inline constexpr char SCHEME[] = "SCHEME";
inline constexpr char SETTING[] = "SETTING";
inline constexpr char LOCALE[] = "LOCALE";
inline constexpr char THEME[] = "THEME";
inline constexpr char PAGE[] = "PAGE";
inline constexpr char ROW[] = "ROW";
inline constexpr char ROW_NAME[] = "ROW_NAME";
inline constexpr char PAGE_SCHEME[] = "PAGE_SCHEME";
inline constexpr char PRODUCT_GROUP[] = "PRODUCT_GROUP";
inline constexpr char PRODUCT[] = "PRODUCT";
inline constexpr char PRODUCT_PRODUCT_GROUP_MAP[] = "PRODUCT_PRODUCT_GROUP_MAP";
inline constexpr char ROW_PRODUCT_MAP[] = "ROW_PRODUCT_MAP";
inline constexpr char ROW_PRODUCT_GROUP_MAP[] = "ROW_PRODUCT_GROUP_MAP";
inline constexpr char FUTURES_GROUP[] = "FUTURES_GROUP";
inline constexpr char FUTURES_ENTRY[] = "FUTURES_ENTRY";
inline constexpr char TEXTURE[] = "TEXTURE";
inline constexpr char TEXTURE_MAP[] = "TEXTURE_MAP";
inline constexpr char CAPSURE_COLLECTION_IDS_BY_PRIORITY[] = "CAPSURE_COLLECTION_IDS_BY_PRIORITY";
inline constexpr char COLLECTION_PAGE_MAP[] = "COLLECTION_PAGE_MAP";
inline constexpr char ROW_SCHEME_MAP[] = "ROW_SCHEME_MAP";
inline constexpr char ROW_TO_PAGE_SCHEME[] = "ROW_TO_PAGE_SCHEME";

extern const char *const CREATE_TABLE_GLOBALSETTING;
extern const char *const CREATE_TABLE_COLLECTION;
extern const char *const CREATE_INDEX_UNQ_UUID;
extern const char *const CREATE_INDEX_UNQ_SYSTEMID;
extern const char *const CREATE_INDEX_UNQ_ORDER;
extern const char *const CREATE_TABLE_MOOD;
extern const char *const CREATE_TABLE_SCHEME;
extern const char *const CREATE_TABLE_SETTING;
extern const char *const CREATE_INDEX_UNQ_SETTING_NAME_PER_COLLECTION;
extern const char *const CREATE_TABLE_LOCALE;
extern const char *const CREATE_INDEX_IDX_LOCALE_KEY;
extern const char *const CREATE_TABLE_THEME;
extern const char *const CREATE_INDEX_IDX_THEME_KEY;
extern const char *const CREATE_TABLE_PAGE;
extern const char *const CREATE_INDEX_UNQ_PAGE_INDEX_IN_COLLECTION;
extern const char *const CREATE_INDEX_UNQ_NAME_IN_COLLECTION;
extern const char *const CREATE_INDEX_IDX_PAGE_PAGE_INDEX;
extern const char *const CREATE_INDEX_IDX_PAGE_SEGMENT;
extern const char *const CREATE_TABLE_ROW;
extern const char *const CREATE_INDEX_IDX_PAGE_ID;
extern const char *const CREATE_INDEX_UNQ_COLLECTION_CODE;
extern const char *const CREATE_INDEX_IDX_ROW_CODE;
extern const char *const CREATE_INDEX_IDX_ROW_RGB;
extern const char *const CREATE_TABLE_ROW_NAME;
extern const char *const CREATE_INDEX_IDX_NAME;
extern const char *const CREATE_TABLE_PAGE_SCHEME;
extern const char *const CREATE_INDEX_UNQ_PAGE_SCHEME_ORDER;
extern const char *const CREATE_INDEX_UNQ_PAGE_SCHEME_SCHEMEPAGE;
extern const char *const CREATE_TABLE_PRODUCT_GROUP;
extern const char *const CREATE_TABLE_PRODUCT;
extern const char *const CREATE_TABLE_PRODUCT_PRODUCT_GROUP_MAP;
extern const char *const CREATE_INDEX_UNQ_PRODUCT_GROUP_PRODUCT_ENTRY;
extern const char *const CREATE_TABLE_ROW_PRODUCT_MAP;
extern const char *const CREATE_INDEX_UNQ_ROW_PRODUCT_ENTRY;
extern const char *const CREATE_INDEX_IDX_ROW_PRODUCT_ROW;
extern const char *const CREATE_TABLE_ROW_PRODUCT_GROUP_MAP;
extern const char *const CREATE_INDEX_UNQ_ROW_PRODUCT_GROUP_ENTRY;
extern const char *const CREATE_INDEX_IDX_ROW_PRODUCT_GROUP_ROW;
extern const char *const CREATE_TABLE_FUTURES_GROUP;
extern const char *const CREATE_TABLE_FUTURES_ENTRY;
extern const char *const CREATE_INDEX_UNQ_COLLECTION_GROUP_ORDER;
extern const char *const CREATE_INDEX_IDX_FUTURES_ENTRY_GROUP;
extern const char *const CREATE_TABLE_TEXTURE;
extern const char *const CREATE_TABLE_TEXTURE_MAP;
extern const char *const CREATE_INDEX_UNQ_TEXTURE_PAGE;
extern const char *const CREATE_INDEX_IDX_TEXTURE_MAP_PAGE;
extern const char *const CREATE_VIEW_CAPSURE_COLLECTION_IDS_BY_PRIORITY;
extern const char *const CREATE_TABLE_COLLECTION_PAGE_MAP;
extern const char *const CREATE_INDEX_UNQ_COLLECTION_PAGE;
extern const char *const CREATE_TABLE_ROW_SCHEME_MAP;
extern const char *const CREATE_INDEX_IDX_ROW_SCHEME_MAP;
extern const char *const CREATE_TABLE_ROW_TO_PAGE_SCHEME;
extern const char *const CREATE_INDEX_IDX_ROW_TO_PAGE_SCHEME;

// Seed templates: %1 is the ID, %2 the system-wide collection's ID (or its UUID for the
// collection row).
extern const char *const INSERT_SYSTEMWIDE_COLLECTION;
extern const char *const INSERT_MOOD_FRESH;
extern const char *const INSERT_MOOD_WARM;
extern const char *const INSERT_MOOD_CALM;
extern const char *const INSERT_MOOD_RICH;
extern const char *const INSERT_MOOD_OFFWHITE;
extern const char *const INSERT_MOOD_NEUTRAL;
extern const char *const INSERT_SCHEME_HARMONIC;
extern const char *const INSERT_SCHEME_CONTRAST;
extern const char *const INSERT_SCHEME_WIDECONTRAST;
extern const char *const INSERT_SCHEME_DYNAMIC;
extern const char *const INSERT_SCHEME_DRAMATIC;
extern const char *const INSERT_SCHEME_NEUTRAL;
extern const char *const INSERT_SCHEME_TONALNEUTRAL;
extern const char *const INSERT_SCHEME_COMPLEMENTARYNEUTRAL;

// Every CREATE statement, in an order that satisfies the foreign keys.
QStringList schemaStatements();
// The seed rows with their placeholders filled, system-wide collection first.
QStringList seedStatements();

// What a conforming database must contain, for checks.
QStringList requiredTables();
QStringList requiredIndexes();
QStringList requiredViews();
// The indexes the palette adds for the speed of its own queries; a file without them is read
// correctly, only more slowly.
QStringList speedIndexes();

} // namespace Sorven::DB
