#pragma once

#include <QString>

namespace quorra {

// How postage is charged.
enum class PostageType { Item, Shipment };

// The VAT terms for the page: a hidden order-form field, and for a registered company a
// table row that says prices exclude VAT.
QString vatFragment(bool registered);

// The postage terms for the page: hidden fields for the type and the amount, then the
// sentence that tells the shopper. The amount is the typed text through formatAmount.
QString postageFragment(PostageType type, const QString& amountText);

} // namespace quorra
