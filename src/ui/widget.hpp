#pragma once
// The toolkit's widget interface. A view is a tree of these objects; the Qt
// host realizes it as real widgets, and tests read it directly. Layout,
// drawing and raw input belong to the host, so the interface keeps only what
// the application itself relies on.

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ui/resource.hpp"

namespace ui {

enum class Kind {
  Column,
  Row,
  Container,
  Scrollable,
  Spacer,
  Text,
  Button,
  Banner,
  Card,
  CardGrid,
  ProgressBar,
  PagePreview,
  Icon,
  Image,
  ImageCropEditor,
  Toggle,
  ToggleGroup,
  Dropdown,
  NumberInput,
  Divider,
  Custom,  // an application widget (the root, DashboardCard)
};

std::string_view kind_name(Kind kind);

// The host's per-frame context; the application passes it through unchanged.
struct Context {};

class Widget {
 public:
  Widget() = default;
  Widget(const Widget&) = delete;
  Widget& operator=(const Widget&) = delete;
  virtual ~Widget() = default;

  virtual Kind kind() const = 0;
  // The widget's kind name as the host and tooling see it.
  virtual std::string_view short_name() const { return kind_name(kind()); }

  virtual std::vector<Widget*> children() { return {}; }
  std::vector<const Widget*> children() const;

  virtual void sync(Context& context);
  // True when something changed and the host should show the tree again.
  virtual bool update(Context& context);
  virtual bool needs_idle_sync() const;
  // Operation names this widget handles itself.
  virtual std::vector<std::string> own_operation_names() const { return {}; }
  // Operation names handled anywhere in this subtree.
  virtual std::set<std::string> resource_operation_handlers() const;
  virtual std::vector<Resource> resources() const;
  virtual OperationOutcome resource_operation(std::uint8_t execution_kind, std::string_view name,
                                              std::string_view payload);
  // True once after the subtree was replaced; the host then realizes it anew.
  virtual bool take_structure_dirty();
};

using WidgetPtr = std::unique_ptr<Widget>;

}  // namespace ui
