#pragma once

// The document ids under which values are stored in a pupil's table. They are written into
// users' files, so every byte counts: never reword, trim or re-case them.
namespace DocumentIds {

inline constexpr char kPupilData[] = "DANE UCZNIA";

inline constexpr char kCertificate4[] = "SWIADECTWO UKONCZENIA KLASY 4 SZKOLY PODST.";
inline constexpr char kCertificate4Distinction[] = "SWIADECTWO UKONCZENIA KLASY 4 SZKOLY PODST. Z WYR.";
inline constexpr char kCertificate4a[] = "SWIADECTWO UKONCZENIA KLASY 4a SZKOLY PODST. MEN-I/3a/2";
inline constexpr char kCertificate4aDistinction[] =
    "SWIADECTWO UKONCZENIA KLASY 4a SZKOLY PODST. Z WYR. MEN-I/3a-w/2";
inline constexpr char kCertificate5[] = "SWIADECTWO UKONCZENIA KLASY 5 SZKOLY PODST.";
inline constexpr char kCertificate5Distinction[] = "SWIADECTWO UKONCZENIA KLASY 5 SZKOLY PODST. Z WYR.";
inline constexpr char kCertificate5a[] = "SWIADECTWO UKONCZENIA KLASY 5a SZKOLY PODST. MEN-I/3a/2";
inline constexpr char kCertificate5aDistinction[] =
    "SWIADECTWO UKONCZENIA KLASY 5a SZKOLY PODST. Z WYR. MEN-I/3a-w/2";
inline constexpr char kSchoolLeaving[] = "SWIADECTWO UKONCZENIA SZKOLY PODST.";
inline constexpr char kSchoolLeavingDistinction[] = "SWIADECTWO UKONCZENIA SZKOLY PODST. Z WYR.";
inline constexpr char kSchoolLeavingA[] = "SWIADECTWO UKONCZENIA SZKOLY PODST. MEN-I/6a/2";
inline constexpr char kSchoolLeavingADistinction[] =
    "SWIADECTWO UKONCZENIA SZKOLY PODST. Z WYR. MEN-I/6a-w/2";

inline constexpr char kMeetingReport[] = "WYWIADOWKA SZKOLA PODSTAWOWA 4-6";

inline constexpr char kGradeSheet1[] = "ARKUSZ OCEN STR 1 SZKOLA PODSTAWOWA 4-6";
inline constexpr char kGradeSheet6[] = "ARKUSZ OCEN STR 6 SZKOLA PODSTAWOWA 4-6";
inline constexpr char kGradeSheet7[] = "ARKUSZ OCEN STR 7 SZKOLA PODSTAWOWA 4-6";
inline constexpr char kGradeSheet8[] = "ARKUSZ OCEN STR 8 SZKOLA PODSTAWOWA 4-6";
inline constexpr char kGradeSheet1b[] = "ARKUSZ OCEN STR 1b SZKOLA PODSTAWOWA 4-6 MEN-I/37b/2";
inline constexpr char kGradeSheet6b[] = "ARKUSZ OCEN STR 6b SZKOLA PODSTAWOWA 4-6 MEN-I/37b/2";
inline constexpr char kGradeSheet7b[] = "ARKUSZ OCEN STR 7b SZKOLA PODSTAWOWA 4-6 MEN-I/37b/2";
inline constexpr char kGradeSheet8b[] = "ARKUSZ OCEN STR 8b SZKOLA PODSTAWOWA 4-6 MEN-I/37b/2";

}  // namespace DocumentIds
