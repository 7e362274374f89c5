#include "devices/cups/ipp_message.hpp"

#include <cups/cups.h>

#include <cstring>

namespace devices::cups {

IppPtr new_request(ipp_op_t operation) {
  // ippNewRequest adds attributes-charset and attributes-natural-language.
  IppPtr request(ippNewRequest(operation));
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  return request;
}

std::string printer_uri(const std::string& queue) {
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", 0,
                   "/printers/%s", queue.c_str());
  return uri;
}

std::string job_uri(int job_id) { return "ipp://localhost/jobs/" + std::to_string(job_id); }

void add_requested_attributes(ipp_t* request, const std::vector<const char*>& names) {
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(names.size()), nullptr, names.data());
}

namespace {

bool is_text(ipp_tag_t tag) {
  switch (tag) {
    case IPP_TAG_TEXT:
    case IPP_TAG_NAME:
    case IPP_TAG_TEXTLANG:
    case IPP_TAG_NAMELANG:
    case IPP_TAG_KEYWORD:
    case IPP_TAG_URI:
    case IPP_TAG_URISCHEME:
    case IPP_TAG_CHARSET:
    case IPP_TAG_LANGUAGE:
    case IPP_TAG_MIMETYPE:
      return true;
    default:
      return false;
  }
}

bool is_integer(ipp_tag_t tag) { return tag == IPP_TAG_INTEGER || tag == IPP_TAG_ENUM; }

}  // namespace

std::optional<std::string> text_of(ipp_attribute_t* attribute) {
  if (!attribute || !is_text(ippGetValueTag(attribute)) || ippGetCount(attribute) < 1) {
    return std::nullopt;
  }
  const char* value = ippGetString(attribute, 0, nullptr);
  if (!value) return std::nullopt;
  return std::string(value);
}

std::vector<std::string> texts_of(ipp_attribute_t* attribute) {
  std::vector<std::string> values;
  if (!attribute || !is_text(ippGetValueTag(attribute))) return values;
  const int count = ippGetCount(attribute);
  for (int i = 0; i < count; ++i) {
    const char* value = ippGetString(attribute, i, nullptr);
    values.emplace_back(value ? value : "");
  }
  return values;
}

std::optional<int> integer_of(ipp_attribute_t* attribute) {
  if (!attribute || !is_integer(ippGetValueTag(attribute)) || ippGetCount(attribute) < 1) {
    return std::nullopt;
  }
  return ippGetInteger(attribute, 0);
}

std::vector<int> integers_of(ipp_attribute_t* attribute) {
  std::vector<int> values;
  if (!attribute || !is_integer(ippGetValueTag(attribute))) return values;
  const int count = ippGetCount(attribute);
  for (int i = 0; i < count; ++i) values.push_back(ippGetInteger(attribute, i));
  return values;
}

std::optional<bool> boolean_of(ipp_attribute_t* attribute) {
  if (!attribute || ippGetValueTag(attribute) != IPP_TAG_BOOLEAN || ippGetCount(attribute) < 1) {
    return std::nullopt;
  }
  return ippGetBoolean(attribute, 0) != 0;
}

ipp_attribute_t* AttributeGroup::find(const char* name) const {
  for (ipp_attribute_t* attribute : attributes) {
    const char* own = ippGetName(attribute);
    if (own && std::strcmp(own, name) == 0) return attribute;
  }
  return nullptr;
}

std::vector<AttributeGroup> groups_of(ipp_t* response, ipp_tag_t group_tag) {
  std::vector<AttributeGroup> groups;
  if (!response) return groups;
  bool in_group = false;
  for (ipp_attribute_t* attribute = ippFirstAttribute(response); attribute;
       attribute = ippNextAttribute(response)) {
    // A nameless attribute is the separator between two groups of the same tag.
    if (ippGetGroupTag(attribute) != group_tag || !ippGetName(attribute)) {
      in_group = false;
      continue;
    }
    if (!in_group) {
      groups.emplace_back();
      in_group = true;
    }
    groups.back().attributes.push_back(attribute);
  }
  return groups;
}

}  // namespace devices::cups
