#include "entry/FieldTable.h"

#include <array>

namespace quorra {

namespace {

using namespace Qt::StringLiterals;

constexpr FieldVisibility Shown = FieldVisibility::Shown;
constexpr FieldVisibility Never = FieldVisibility::Never;

// The page fragments lie below the bottom edge of the client area.
constexpr TwipsRect Offscreen{120, 4200, 1000, 285};

// Entries for one product panel, in the window's creation order for product n.
#define QUORRA_PRICE(n)                                                                                      \
    FieldSpec {                                                                                              \
        "txtProPrice" #n ""_L1, productPanel(n), 32, false, false, Shown, {3240, 2040, 1215, 350},           \
            "Product Price", {120, 2160, 0, 0}, nullptr, {}, true                                            \
    }
#define QUORRA_DESC(n)                                                                                       \
    FieldSpec {                                                                                              \
        "txtProDesc" #n ""_L1, productPanel(n), 0, true, false, Shown, {960, 720, 3495, 1215},               \
            "Product Description", {120, 720, 1215, 495}, nullptr, {}                                        \
    }
#define QUORRA_CODE(n)                                                                                       \
    FieldSpec {                                                                                              \
        "txtProCode" #n ""_L1, productPanel(n), 32, false, false, Shown, {1320, 240, 3135, 350},             \
            "Product Code " #n, {120, 240, 0, 0}, nullptr, {}                                                \
    }
#define QUORRA_PICTURE(n)                                                                                    \
    FieldSpec {                                                                                              \
        "txtProPicture" #n ""_L1, productPanel(n), 0, false, false, Shown, {120, 2760, 3975, 375},           \
            "Product Picture " #n, {120, 2520, 0, 0}, "cmdPro" #n, {                                         \
            4200, 2880, 255, 255                                                                             \
        }                                                                                                    \
    }

const std::array<FieldSpec, 46> Table{{
    {"txtPurchase5"_L1, -1, 0, false, false, Never, Offscreen, nullptr, {}, nullptr, {}},
    {"txtPurchase4"_L1, -1, 0, false, false, Never, Offscreen, nullptr, {}, nullptr, {}},
    {"txtPurchase3"_L1, -1, 0, false, false, Never, Offscreen, nullptr, {}, nullptr, {}},
    {"txtPurchase2"_L1, -1, 0, false, false, Never, Offscreen, nullptr, {}, nullptr, {}},
    {"txtPurchase1"_L1, -1, 0, false, false, Never, Offscreen, nullptr, {}, nullptr, {}},
    {"txtAmount"_L1,
     4,
     0,
     false,
     false,
     Shown,
     {1440, 2400, 1455, 350},
     "Amount",
     {240, 2520, 0, 0},
     nullptr,
     {},
     true},
    {"txtPostage"_L1, -1, 0, false, false, Never, Offscreen, nullptr, {}, nullptr, {}},
    {"txtVAT"_L1, -1, 0, false, false, Never, Offscreen, nullptr, {}, nullptr, {}},
    {"txtAmex"_L1, -1, 0, false, false, Never, Offscreen, nullptr, {}, nullptr, {}},
    {"txtDelta"_L1, -1, 0, false, false, Never, Offscreen, nullptr, {}, nullptr, {}},
    {"txtSwitch"_L1, -1, 0, false, false, Never, Offscreen, nullptr, {}, nullptr, {}},
    {"txtVisa"_L1, -1, 0, false, false, Never, Offscreen, nullptr, {}, nullptr, {}},
    {"txtAccess"_L1, -1, 0, false, false, Never, Offscreen, nullptr, {}, nullptr, {}},
    {"txtDespatch"_L1,
     14,
     0,
     true,
     true,
     Shown,
     {120, 720, 4335, 1935},
     "Despatch Instructions",
     {1200, 360, 0, 0},
     nullptr,
     {},
     false,
     true},
    {"txtEmailAddress"_L1,
     2,
     64,
     false,
     false,
     Shown,
     {1920, 2400, 2415, 375},
     "Email Address",
     {120, 2460, 0, 0},
     nullptr,
     {}},
    {"txtContactName"_L1,
     2,
     64,
     false,
     false,
     Shown,
     {1920, 1760, 2415, 375},
     "Contact Name",
     {120, 1820, 0, 0},
     nullptr,
     {}},
    {"txtCompanyFax"_L1,
     2,
     32,
     false,
     false,
     Shown,
     {1920, 1120, 2415, 375},
     "Company Fax",
     {120, 1180, 0, 0},
     nullptr,
     {}},
    {"txtCompanyTelephone"_L1,
     2,
     32,
     false,
     false,
     Shown,
     {1920, 480, 2415, 375},
     "Company Telephone",
     {120, 540, 0, 0},
     nullptr,
     {}},
    QUORRA_PRICE(5),
    QUORRA_DESC(5),
    QUORRA_CODE(5),
    QUORRA_PICTURE(5),
    QUORRA_PICTURE(4),
    QUORRA_CODE(4),
    QUORRA_DESC(4),
    QUORRA_PRICE(4),
    QUORRA_PRICE(3),
    QUORRA_DESC(3),
    QUORRA_CODE(3),
    QUORRA_PICTURE(3),
    QUORRA_PICTURE(2),
    QUORRA_CODE(2),
    QUORRA_DESC(2),
    QUORRA_PRICE(2),
    {"txtPicture2"_L1,
     7,
     0,
     false,
     false,
     Shown,
     {120, 2040, 3975, 350},
     "Additional Picture 2",
     {120, 1680, 0, 0},
     "cmdPic2",
     {4200, 2160, 255, 255}},
    {"txtPicture1"_L1,
     7,
     0,
     false,
     false,
     Shown,
     {120, 720, 3975, 375},
     "Additional Picture 1",
     {120, 360, 0, 0},
     "cmdPic1",
     {4200, 840, 255, 255}},
    {"txtCompanyHistory"_L1,
     6,
     0,
     true,
     false,
     Shown,
     {120, 600, 4335, 2535},
     "Brief Company History",
     {1320, 240, 0, 0},
     nullptr,
     {}},
    {"txtMissionStatement"_L1,
     5,
     0,
     true,
     false,
     Shown,
     {120, 600, 4335, 2535},
     "Company Mission Statement",
     {1080, 240, 0, 0},
     nullptr,
     {}},
    QUORRA_PRICE(1),
    QUORRA_PICTURE(1),
    QUORRA_CODE(1),
    QUORRA_DESC(1),
    {"txtHelp"_L1,
     -1,
     0,
     true,
     true,
     FieldVisibility::OnRequest,
     {2600, 120, 4700, 3300},
     nullptr,
     {},
     nullptr,
     {}},
    {"txtCompanyAddress"_L1,
     1,
     0,
     true,
     false,
     Shown,
     {1560, 1080, 2895, 1455},
     "Company Address",
     {120, 1080, 0, 0},
     nullptr,
     {}},
    {"txtCompanyName"_L1,
     1,
     64,
     false,
     false,
     Shown,
     {1560, 360, 2895, 350},
     "Company Name",
     {120, 405, 0, 0},
     nullptr,
     {}},
    {"txtCompanyLogo"_L1,
     1,
     0,
     false,
     false,
     Shown,
     {1560, 2760, 2535, 350},
     "Company Logo",
     {120, 2805, 0, 0},
     "cmdLogo",
     {4080, 2760, 375, 350}},
}};

#undef QUORRA_PRICE
#undef QUORRA_DESC
#undef QUORRA_CODE
#undef QUORRA_PICTURE

} // namespace

std::span<const FieldSpec> fieldTable() {
    return Table;
}

const FieldSpec* findField(QStringView name) {
    for (const FieldSpec& field : Table) {
        if (name == field.name)
            return &field;
    }
    return nullptr;
}

} // namespace quorra
