#pragma once

#include "attachments/AttachmentOwner.h"

#include <optional>

class CliContext;
class dvData;

// The item an attachment command names: ITEM, an inventory item's identifier as the listings
// print it, or with --collection NAME a collection item's of that collection.
namespace AttachmentTarget {

// The owner; nullopt, with the reason printed, when there is no such item.
std::optional<AttachmentOwner> item(CliContext& context, const dvData& data);
// An attachment's identifier (the ID argument); nullopt, with the reason printed, when it is
// no number or no attachment has it.
std::optional<qint64> attachment(CliContext& context, const dvData& data);

} // namespace AttachmentTarget
