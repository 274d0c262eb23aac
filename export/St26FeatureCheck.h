// The checks of one sequence's feature table against the vocabulary: keys,
// locations, the qualifiers each key must and may carry, their values, the
// source feature, and coding regions translated again with their genetic
// code. What a CDS says about a protein of the listing is kept as a link,
// checked once the whole listing is read.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "export/St26Findings.h"
#include "export/St26Location.h"

namespace qln {

struct CSt26ReadQualifier {
    std::string name;
    std::string value;       // INSDQualifier_value
    std::string nonEnglish;  // NonEnglishQualifier_value
    bool hasValue = false;
    bool hasNonEnglish = false;
    long line = 0;
};

struct CSt26ReadFeature {
    std::string key;
    std::string location;
    std::vector<CSt26ReadQualifier> qualifiers;
    long line = 0;
};

// A sequence as read, with a known moltype and residues of its alphabet.
struct CSt26ReadSequence {
    int seqId = 0;
    long line = 0;
    std::string moltype;  // DNA, RNA or AA
    std::string residues;
    std::vector<CSt26ReadFeature> features;
};

// A CDS's protein_id: the protein it names must be its translation.
struct CSt26ProteinLink {
    int seqId = 0;
    std::string feature;
    long line = 0;
    std::string target;
    size_t translationHash = 0;
    size_t translationLength = 0;
};

class CSt26FeatureCheck {
public:
    CSt26FeatureCheck(CSt26Findings& findings, std::vector<CSt26ProteinLink>& links)
        : findings_(findings), links_(links) {}

    void Check(const CSt26ReadSequence& sequence);

private:
    struct Context;

    void CheckFeature(const CSt26ReadFeature& feature, Context& context);
    void CheckQualifier(const CSt26ReadQualifier& qualifier, const std::string& key, Context& context);
    void CheckValue(const CSt26ReadQualifier& qualifier, std::string_view name, Context& context);
    void CheckTerm(const CSt26ReadQualifier& qualifier, std::string_view name, std::string_view term, Context& context);
    void CheckEmbeddedLocation(const CSt26ReadQualifier& qualifier, std::string_view name, Context& context);
    void CheckSource(const CSt26ReadFeature& feature, Context& context);
    void CheckCodingRegion(const CSt26ReadFeature& feature, const std::vector<CSt26Span>& spans, Context& context);
    void Add(const Context& context, CSt26Finding::Severity severity, St26Rule rule, std::string qualifier, long line,
             std::string problem, std::string action);

    CSt26Findings& findings_;
    std::vector<CSt26ProteinLink>& links_;
};

}  // namespace qln
