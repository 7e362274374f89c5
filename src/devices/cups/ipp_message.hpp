#pragma once
// Small typed helpers over libcups' IPP messages: ownership, attribute
// reading by name, and the request shapes this backend sends.

#include <cups/ipp.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace devices::cups {

struct IppDeleter {
  void operator()(ipp_t* message) const { ippDelete(message); }
};
using IppPtr = std::unique_ptr<ipp_t, IppDeleter>;

// A request with the operation group every request needs (charset, language,
// requesting-user-name).
IppPtr new_request(ipp_op_t operation);

// "ipp://localhost/printers/NAME", percent-encoded.
std::string printer_uri(const std::string& queue);
// "ipp://localhost/jobs/N".
std::string job_uri(int job_id);

void add_requested_attributes(ipp_t* request, const std::vector<const char*>& names);

// Readers over one attribute (the first value, or every value). Absent when
// the attribute is missing or has another type.
std::optional<std::string> text_of(ipp_attribute_t* attribute);
std::vector<std::string> texts_of(ipp_attribute_t* attribute);
std::optional<int> integer_of(ipp_attribute_t* attribute);
std::vector<int> integers_of(ipp_attribute_t* attribute);
std::optional<bool> boolean_of(ipp_attribute_t* attribute);

// The attributes of a response, grouped: one entry per printer or job group.
// Attributes of other groups (operation attributes) are skipped.
struct AttributeGroup {
  std::vector<ipp_attribute_t*> attributes;
  ipp_attribute_t* find(const char* name) const;
};
std::vector<AttributeGroup> groups_of(ipp_t* response, ipp_tag_t group_tag);

}  // namespace devices::cups
