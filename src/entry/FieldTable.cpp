#include "entry/FieldTable.h"

#include <array>

namespace quorra {

namespace {

using namespace Qt::StringLiterals;

constexpr FieldVisibility OnRequest = FieldVisibility::OnRequest;
constexpr FieldVisibility Never = FieldVisibility::Never;

// The page fragments lie below the bottom edge of the client area.
constexpr TwipsRect Offscreen{120, 4200, 1000, 285};

// One line per field, in the window's creation order.
// clang-format off
const std::array<FieldSpec, 46> Table{{
    {.name = "txtPurchase5"_L1, .visibility = Never, .rect = Offscreen},
    {.name = "txtPurchase4"_L1, .visibility = Never, .rect = Offscreen},
    {.name = "txtPurchase3"_L1, .visibility = Never, .rect = Offscreen},
    {.name = "txtPurchase2"_L1, .visibility = Never, .rect = Offscreen},
    {.name = "txtPurchase1"_L1, .visibility = Never, .rect = Offscreen},
    {.name = "txtAmount"_L1, .panel = 4, .rect = {1440, 2400, 1455, 350}, .label = "Amount", .labelRect = {240, 2520, 0, 0}, .amountOnly = true},
    {.name = "txtPostage"_L1, .visibility = Never, .rect = Offscreen},
    {.name = "txtVAT"_L1, .visibility = Never, .rect = Offscreen},
    {.name = "txtAmex"_L1, .visibility = Never, .rect = Offscreen},
    {.name = "txtDelta"_L1, .visibility = Never, .rect = Offscreen},
    {.name = "txtSwitch"_L1, .visibility = Never, .rect = Offscreen},
    {.name = "txtVisa"_L1, .visibility = Never, .rect = Offscreen},
    {.name = "txtAccess"_L1, .visibility = Never, .rect = Offscreen},
    {.name = "txtDespatch"_L1, .panel = 14, .multiLine = true, .verticalScrollBar = true, .rect = {120, 720, 4335, 1935}, .label = "Despatch Instructions", .labelRect = {1200, 360, 0, 0}, .boldLabel = true},
    {.name = "txtEmailAddress"_L1, .panel = 2, .maxLength = 64, .rect = {1920, 2400, 2415, 375}, .label = "Email Address", .labelRect = {120, 2460, 0, 0}},
    {.name = "txtContactName"_L1, .panel = 2, .maxLength = 64, .rect = {1920, 1760, 2415, 375}, .label = "Contact Name", .labelRect = {120, 1820, 0, 0}},
    {.name = "txtCompanyFax"_L1, .panel = 2, .maxLength = 32, .rect = {1920, 1120, 2415, 375}, .label = "Company Fax", .labelRect = {120, 1180, 0, 0}},
    {.name = "txtCompanyTelephone"_L1, .panel = 2, .maxLength = 32, .rect = {1920, 480, 2415, 375}, .label = "Company Telephone", .labelRect = {120, 540, 0, 0}},
    {.name = "txtProPrice5"_L1, .panel = productPanel(5), .maxLength = 32, .rect = {3240, 2040, 1215, 350}, .label = "Product Price", .labelRect = {120, 2160, 0, 0}, .amountOnly = true},
    {.name = "txtProDesc5"_L1, .panel = productPanel(5), .multiLine = true, .rect = {960, 720, 3495, 1215}, .label = "Product Description", .labelRect = {120, 720, 1215, 495}},
    {.name = "txtProCode5"_L1, .panel = productPanel(5), .maxLength = 32, .rect = {1320, 240, 3135, 350}, .label = "Product Code 5", .labelRect = {120, 240, 0, 0}},
    {.name = "txtProPicture5"_L1, .panel = productPanel(5), .rect = {120, 2760, 3975, 375}, .label = "Product Picture 5", .labelRect = {120, 2520, 0, 0}, .button = "cmdPro5", .buttonRect = {4200, 2880, 255, 255}},
    {.name = "txtProPicture4"_L1, .panel = productPanel(4), .rect = {120, 2760, 3975, 375}, .label = "Product Picture 4", .labelRect = {120, 2520, 0, 0}, .button = "cmdPro4", .buttonRect = {4200, 2880, 255, 255}},
    {.name = "txtProCode4"_L1, .panel = productPanel(4), .maxLength = 32, .rect = {1320, 240, 3135, 350}, .label = "Product Code 4", .labelRect = {120, 240, 0, 0}},
    {.name = "txtProDesc4"_L1, .panel = productPanel(4), .multiLine = true, .rect = {960, 720, 3495, 1215}, .label = "Product Description", .labelRect = {120, 720, 1215, 495}},
    {.name = "txtProPrice4"_L1, .panel = productPanel(4), .maxLength = 32, .rect = {3240, 2040, 1215, 350}, .label = "Product Price", .labelRect = {120, 2160, 0, 0}, .amountOnly = true},
    {.name = "txtProPrice3"_L1, .panel = productPanel(3), .maxLength = 32, .rect = {3240, 2040, 1215, 350}, .label = "Product Price", .labelRect = {120, 2160, 0, 0}, .amountOnly = true},
    {.name = "txtProDesc3"_L1, .panel = productPanel(3), .multiLine = true, .rect = {960, 720, 3495, 1215}, .label = "Product Description", .labelRect = {120, 720, 1215, 495}},
    {.name = "txtProCode3"_L1, .panel = productPanel(3), .maxLength = 32, .rect = {1320, 240, 3135, 350}, .label = "Product Code 3", .labelRect = {120, 240, 0, 0}},
    {.name = "txtProPicture3"_L1, .panel = productPanel(3), .rect = {120, 2760, 3975, 375}, .label = "Product Picture 3", .labelRect = {120, 2520, 0, 0}, .button = "cmdPro3", .buttonRect = {4200, 2880, 255, 255}},
    {.name = "txtProPicture2"_L1, .panel = productPanel(2), .rect = {120, 2760, 3975, 375}, .label = "Product Picture 2", .labelRect = {120, 2520, 0, 0}, .button = "cmdPro2", .buttonRect = {4200, 2880, 255, 255}},
    {.name = "txtProCode2"_L1, .panel = productPanel(2), .maxLength = 32, .rect = {1320, 240, 3135, 350}, .label = "Product Code 2", .labelRect = {120, 240, 0, 0}},
    {.name = "txtProDesc2"_L1, .panel = productPanel(2), .multiLine = true, .rect = {960, 720, 3495, 1215}, .label = "Product Description", .labelRect = {120, 720, 1215, 495}},
    {.name = "txtProPrice2"_L1, .panel = productPanel(2), .maxLength = 32, .rect = {3240, 2040, 1215, 350}, .label = "Product Price", .labelRect = {120, 2160, 0, 0}, .amountOnly = true},
    {.name = "txtPicture2"_L1, .panel = 7, .rect = {120, 2040, 3975, 350}, .label = "Additional Picture 2", .labelRect = {120, 1680, 0, 0}, .button = "cmdPic2", .buttonRect = {4200, 2160, 255, 255}},
    {.name = "txtPicture1"_L1, .panel = 7, .rect = {120, 720, 3975, 375}, .label = "Additional Picture 1", .labelRect = {120, 360, 0, 0}, .button = "cmdPic1", .buttonRect = {4200, 840, 255, 255}},
    {.name = "txtCompanyHistory"_L1, .panel = 6, .multiLine = true, .rect = {120, 600, 4335, 2535}, .label = "Brief Company History", .labelRect = {1320, 240, 0, 0}},
    {.name = "txtMissionStatement"_L1, .panel = 5, .multiLine = true, .rect = {120, 600, 4335, 2535}, .label = "Company Mission Statement", .labelRect = {1080, 240, 0, 0}},
    {.name = "txtProPrice1"_L1, .panel = productPanel(1), .maxLength = 32, .rect = {3240, 2040, 1215, 350}, .label = "Product Price", .labelRect = {120, 2160, 0, 0}, .amountOnly = true},
    {.name = "txtProPicture1"_L1, .panel = productPanel(1), .rect = {120, 2760, 3975, 375}, .label = "Product Picture 1", .labelRect = {120, 2520, 0, 0}, .button = "cmdPro1", .buttonRect = {4200, 2880, 255, 255}},
    {.name = "txtProCode1"_L1, .panel = productPanel(1), .maxLength = 32, .rect = {1320, 240, 3135, 350}, .label = "Product Code 1", .labelRect = {120, 240, 0, 0}},
    {.name = "txtProDesc1"_L1, .panel = productPanel(1), .multiLine = true, .rect = {960, 720, 3495, 1215}, .label = "Product Description", .labelRect = {120, 720, 1215, 495}},
    {.name = "txtHelp"_L1, .multiLine = true, .verticalScrollBar = true, .visibility = OnRequest, .rect = {2600, 120, 4700, 3300}},
    {.name = "txtCompanyAddress"_L1, .panel = 1, .multiLine = true, .rect = {1560, 1080, 2895, 1455}, .label = "Company Address", .labelRect = {120, 1080, 0, 0}},
    {.name = "txtCompanyName"_L1, .panel = 1, .maxLength = 64, .rect = {1560, 360, 2895, 350}, .label = "Company Name", .labelRect = {120, 405, 0, 0}},
    {.name = "txtCompanyLogo"_L1, .panel = 1, .rect = {1560, 2760, 2535, 350}, .label = "Company Logo", .labelRect = {120, 2805, 0, 0}, .button = "cmdLogo", .buttonRect = {4080, 2760, 375, 350}},
}};
// clang-format on

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
