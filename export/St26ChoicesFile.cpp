#include "export/St26ChoicesFile.h"

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "export/Latin1.h"
#include "model/FileReplacement.h"
#include "model/Project.h"

namespace qln {

namespace {

using nlohmann::json;
using nlohmann::ordered_json;

[[noreturn]] void Fail(const std::string& path, const std::string& problem) {
    throw CSt26ChoicesError(path + ": " + problem);
}

std::string Latin1Member(const std::string& path, const std::string& name, const json& value) {
    if (!value.is_string()) Fail(path, "\"" + name + "\" must be a text");
    auto text = Utf8ToLatin1(value.get<std::string>());
    if (!text) Fail(path, "\"" + name + "\" holds a character outside Latin-1");
    return *text;
}

}  // namespace

CSt26Choices ReadSt26Choices(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail(path, "cannot be opened");
    json document;
    try {
        document = json::parse(in);
    } catch (const json::parse_error& e) {
        Fail(path, std::string("not valid JSON (") + e.what() + ")");
    }
    if (!document.is_object()) Fail(path, "must hold one JSON object");

    CSt26Choices choices;
    for (const auto& [name, value] : document.items()) {
        if (name == "language") {
            choices.language = Latin1Member(path, name, value);
            if (!choices.language.empty() && !IsLanguageCode(choices.language))
                Fail(path, "\"language\" must be an ISO 639-1 code such as \"en\", not \"" + choices.language + "\"");
        } else if (name == "officeCode") {
            choices.officeCode = Latin1Member(path, name, value);
            if (!choices.officeCode.empty() && !IsOfficeCode(choices.officeCode))
                Fail(path,
                     "\"officeCode\" must be a WIPO ST.3 code such as \"US\", not \"" + choices.officeCode + "\"");
        } else if (name == "molTypes") {
            if (!value.is_object()) Fail(path, "\"molTypes\" must be an object of sequence names");
            for (const auto& [sequence, molType] : value.items()) {
                const auto latin1Name = Utf8ToLatin1(sequence);
                if (!latin1Name) Fail(path, "a sequence name in \"molTypes\" holds a character outside Latin-1");
                choices.molTypes[*latin1Name] = Latin1Member(path, "molTypes." + sequence, molType);
            }
        } else {
            Fail(path, "unknown member \"" + name + "\"");
        }
    }
    return choices;
}

CSt26Choices ReadSt26ChoicesIfPresent(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return {};
    return ReadSt26Choices(path);
}

void WriteSt26Choices(const CSt26Choices& choices, const CProject& project, const std::string& path) {
    ordered_json document;
    document["language"] = Latin1ToUtf8(choices.GetLanguageOrDefault());
    document["officeCode"] = Latin1ToUtf8(choices.officeCode);
    ordered_json molTypes = ordered_json::object();
    for (const auto& sequence : project.GetSequences()) {
        const auto chosen = choices.molTypes.find(sequence->GetName());
        const std::string molType = chosen != choices.molTypes.end() ? chosen->second : DefaultMolType(*sequence);
        molTypes[Latin1ToUtf8(sequence->GetName())] = Latin1ToUtf8(molType);
    }
    document["molTypes"] = std::move(molTypes);

    // Written beside the old file and moved over it, so a failure keeps the
    // choices the user had.
    CFileReplacement replacement(path);
    if (!replacement.IsReserved()) Fail(path, "cannot be written");
    {
        std::ofstream out(replacement.TemporaryPath(), std::ios::binary | std::ios::trunc);
        out << document.dump(2) << '\n';
        out.close();
        if (!out) Fail(path, "cannot be written");
    }
    if (!replacement.Commit()) Fail(path, "cannot be written");
}

}  // namespace qln
