// The classes a project file may name, looked up by the name it gives.
#include "model/Applicant.h"
#include "model/Archive.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/Publication.h"
#include "model/Sequence.h"

namespace qln {

const CRuntimeClass* CArchive::FindClass(std::string_view name) {
    // clang-format off
    static const CRuntimeClass* const classes[] = {
        &CModel::runtimeClass,          &CProject::runtimeClass,         &CProjectData::runtimeClass,
        &CApplicant::runtimeClass,      &CIndivApplicant::runtimeClass,  &COrgApplicant::runtimeClass,
        &CEarlierApplication::runtimeClass, &CSequence::runtimeClass,    &CBaseSequence::runtimeClass,
        &CDNASequence::runtimeClass,    &CRNASequence::runtimeClass,     &CDNARNASequence::runtimeClass,
        &CProteinSequence::runtimeClass, &CProtein1Sequence::runtimeClass, &CProtein3Sequence::runtimeClass,
        &CFeature::runtimeClass,        &CDS::runtimeClass,              &CExon::runtimeClass,
        &CIntron::runtimeClass,         &CMatPeptide::runtimeClass,      &COtherFeature::runtimeClass,
        &CCommentFeature::runtimeClass, &CPublication::runtimeClass,     &CJournal::runtimeClass,
        &CPatent::runtimeClass,         &CThesis::runtimeClass,          &CPubDatabase::runtimeClass,
    };
    // clang-format on
    for (const CRuntimeClass* cls : classes)
        if (cls->name == name) return cls;
    return nullptr;
}

}  // namespace qln
