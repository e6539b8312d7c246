// The parts of a topic's page that both page forms share: the caption with
// the topic's title, the non-scrolling region, the text, the entry macros
// and the browse links.
#pragma once

#include <string>

#include "publish/help_index.h"
#include "publish/model.h"
#include "publish/topic_html.h"

namespace zek {

// Appends the inside of topic `index`'s page or section.
void append_topic_parts(std::string& out, const Topic& topic, size_t index, const HelpIndex& help,
                        const TopicHtml& html);

// The text a topic is listed by: its title, or its page name when it has none.
std::string listed_title(const HelpIndex& help, size_t index);

// Style rules both page forms share.
extern const char kCommonStyle[];

}  // namespace zek
