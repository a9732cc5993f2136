#pragma once

// Messages of the efficient-basis walks, exactly as the user sees them
// (UTF-8).
namespace msg {

inline constexpr char kEfficientNonbasicsHalt[] = "FATAL ERROR the routine for determining efficient NBVs: HALT";
inline constexpr char kPerturbedNotOptimal[] =
    "DEBUG: A sol. \xc3\xb3ptima da fun\xc3\xa7\xc3\xa3o perturbada n\xc3\xa3o optimiza a fun\xc3\xa7\xc3\xa3o simples";
inline constexpr char kFirstAlternativeNotEfficient[] =
    "DEBUG: A primeira solu\xc3\xa7\xc3\xa3o que entrou em Alternativos n\xc3\xa3o \xc3\xa9 eficiente";

} // namespace msg
