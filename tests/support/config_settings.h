// The settings a configuration file sets, at their start-up defaults, and
// the messages that reading them gave.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "persist/config_file.h"

namespace zlc::test {

struct LoadedSettings {
  NotationSet notation;
  Settings settings;
  FilterSettings filter;
  std::vector<std::string> messages;

  ConfigTarget Target() { return {notation, settings, filter}; }
  MessageReporter Reporter() {
    return [this](const RuntimeMessage& m) { messages.push_back(m.text); };
  }
  // Each line read as a line of the file.
  LoadedSettings& Apply(const std::vector<std::string_view>& lines) {
    for (auto line : lines) ApplyConfigLine(Target(), line, Reporter());
    return *this;
  }
  // The file's text for these settings.
  std::string Text() const { return ConfigText(notation, settings, filter); }
};

}  // namespace zlc::test
