#include "tests/engine/engine_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "engine/code_pages.h"
#include "engine/folding.h"

std::string Stored(const std::string& utf8) {
    std::string out;
    EncodeError error;
    EXPECT_TRUE(Utf8ToStored(utf8, &out, &error)) << utf8;
    return out;
}

std::string Utf8(const std::string& stored) {
    return StoredToUtf8(stored.c_str());
}

void CompileSource(const std::string& text, std::string* body, std::string* index) {
    DictionarySourceFile source;
    std::vector<std::string> messages;
    ASSERT_TRUE(ParseDictionarySource(text, "source", false, &source, &messages))
        << (messages.empty() ? "" : messages[0]);
    ASSERT_TRUE(BuildDictionary(source, body, index, &messages));
}

std::string PairableSource(const std::string& english, const std::string& greek,
                           const std::string& key, const std::string& entries) {
    return "@key " + key + "\n@title-en Greek-" + english + " title\n@title-el " + greek +
           " τίτλος\n@list-en Greek-" + english + " dictionary\n@list-el Ελληνο-" + greek +
           "\n@descriptor-en " + english + ".8@Greek.2\n@descriptor-el " + greek +
           ".8@Ελληνικά.2\n@pair-language " + english + "@" + greek +
           "\n@pairable 1\n@start-word a\n" + entries;
}

void CompileFixture(const std::string& name, std::string* body, std::string* index) {
    std::string path = std::string(WORDMERE_ENGINE_TEST_DATA) + "/" + name + ".txt";
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    std::stringstream text;
    text << in.rdbuf();
    DictionarySourceFile source;
    std::vector<std::string> messages;
    ASSERT_TRUE(ParseDictionarySource(text.str(), path, false, &source, &messages))
        << (messages.empty() ? "" : messages[0]);
    ASSERT_TRUE(BuildDictionary(source, body, index, &messages));
}

void BuildEntries(const std::vector<std::vector<std::string>>& entries, const std::string& key,
                  std::string* body, std::string* index) {
    DictionarySourceFile source;
    source.key = key;
    for (const std::vector<std::string>& fields : entries) {
        SourceLineEntry entry;
        entry.headword = fields[0];
        entry.greek = IsGreekText(fields[0].c_str());
        entry.items.assign(fields.begin() + 1, fields.end());
        source.entries.push_back(entry);
    }
    std::vector<std::string> messages;
    ASSERT_TRUE(BuildDictionary(source, body, index, &messages));
}

OpenDictionary::OpenDictionary(std::string bodyBytes, std::string indexBytes, bool builtin)
    : body(std::move(bodyBytes)), index(std::move(indexBytes)), engine(new Engine) {
    engine->mainBody = OpenMemoryDictFile(body.data(), body.size());
    engine->mainIndex = OpenMemoryDictFile(index.data(), index.size());
    if (builtin) {
        FillBuiltinTrailer(BuiltinDictionary::kThesaurus, DefaultInterfaceTexts(),
                           &engine->trailer);
        trailerValid = true;
    } else {
        trailerValid = ReadTrailer(&view, engine->mainBody, &engine->trailer);
    }
}

OpenDictionary::~OpenDictionary() {
    CloseDictionaryFiles(*engine);
}

bool OpenDictionary::Search(const std::string& utf8Query) {
    std::string stored = Stored(utf8Query);
    snprintf(query, sizeof query, "%s", stored.c_str());
    return SearchWord(*engine, view, options, query);
}

std::vector<std::string> OpenDictionary::Words() const {
    std::vector<std::string> out;
    for (int i = 0; i < view.words.Count(); ++i) {
        out.push_back(Utf8(view.words.TextAt(i)));
    }
    return out;
}

std::vector<std::string> OpenDictionary::Translations() const {
    std::vector<std::string> out;
    for (int i = 0; i < view.translations.Count(); ++i) {
        out.push_back(Utf8(view.translations.TextAt(i)));
    }
    return out;
}

std::unique_ptr<OpenDictionary> OpenFixture(const std::string& name) {
    std::string body;
    std::string index;
    CompileFixture(name, &body, &index);
    return std::unique_ptr<OpenDictionary>(new OpenDictionary(body, index, name == "thesaurus"));
}
