#include "settings/name_value.h"

#include "text/text.h"

int IndexOfName(const std::vector<std::string>& list, std::string_view name) {
    for (size_t i = 0; i < list.size(); ++i) {
        size_t eq = list[i].find('=');
        if (eq != std::string::npos && SameText(std::string_view(list[i]).substr(0, eq), name))
            return static_cast<int>(i);
    }
    return -1;
}

std::string ListValue(const std::vector<std::string>& list, std::string_view name) {
    int index = IndexOfName(list, name);
    if (index < 0) return std::string();
    const std::string& line = list[static_cast<size_t>(index)];
    return line.substr(line.find('=') + 1);
}

void SetListValue(std::vector<std::string>& list, std::string_view name, std::string_view value) {
    int index = IndexOfName(list, name);
    if (value.empty()) {
        if (index >= 0) list.erase(list.begin() + index);
        return;
    }
    std::string line = std::string(name) + "=" + std::string(value);
    if (index >= 0)
        list[static_cast<size_t>(index)] = line;
    else
        list.push_back(line);
}
