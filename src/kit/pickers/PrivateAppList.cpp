#include "pickers/PrivateAppList.h"

#include <algorithm>
#include <mutex>
#include <unordered_set>

#include "base/Strings.h"
#include "sys/ApplicationWorkspace.h"

namespace {

const std::vector<std::string> kHiddenApplications = {
    "com.apple.Magnifier",
    "com.apple.InCallService",
    "com.apple.RemoteiCloudQuotaUI",
    "com.apple.PublicHealthRemoteUI",
    "com.apple.CarPlaySplashScreen",
    "com.apple.iMessageAppsViewService",
    "com.apple.BarcodeScanner",
    "com.apple.HealthENLauncher",
    "com.apple.AXUIViewService",
    "com.apple.AppSSOUIService",
    "com.apple.CarPlaySettings",
    "com.apple.mobilesms.compose",
    "com.apple.BusinessChatViewService",
    "com.apple.DiagnosticsService",
    "com.apple.CTNotifyUIService",
    "com.apple.HealthPrivacyService",
    "com.apple.WebContentFilter.remoteUI.WebContentAnalysisUI",
    "com.apple.ScreenshotServicesService",
    "com.apple.FTMInternal",
    "com.apple.carkit.DNDBuddy",
    "com.apple.PreBoard",
    "com.apple.datadetectors.DDActionsService",
    "com.apple.DemoApp",
    "com.apple.CoreAuthUI",
    "com.apple.SubcredentialUIService",
    "com.apple.MailCompositionService",
    "com.apple.Diagnostics",
    "com.apple.AuthKitUIService",
    "com.apple.TVRemote",
    "com.apple.gamecenter.GameCenterUIService",
    "com.apple.PrintKit.Print-Center",
    "com.apple.sidecar",
    "com.apple.AccountAuthenticationDialog",
    "com.apple.PassbookUIService",
    "com.apple.siri",
    "com.apple.CloudKit.ShareBear",
    "com.apple.HealthENBuddy",
    "com.apple.SafariViewService",
    "com.apple.SIMSetupUIService",
    "com.apple.CompassCalibrationViewService",
    "com.apple.PhotosViewService",
    "com.apple.MusicUIService",
    "com.apple.TrustMe",
    "com.apple.Home.HomeUIService",
    "com.apple.CTCarrierSpaceAuth",
    "com.apple.StoreDemoViewService",
    "com.apple.susuiservice",
    "com.apple.social.SLYahooAuth",
    "com.apple.Spotlight",
    "com.apple.fieldtest",
    "com.apple.WebSheet",
    "com.apple.iad.iAdOptOut",
    "com.apple.dt.XcodePreviews",
    "com.apple.appleseed.FeedbackAssistant",
    "com.apple.FontInstallViewService",
    "com.apple.ScreenSharingViewService",
    "com.apple.SharedWebCredentialViewService",
    "com.apple.CheckerBoard",
    "com.apple.DataActivation",
    "com.apple.TVAccessViewService",
    "com.apple.VSViewService",
    "com.apple.TVRemoteUIService",
    "com.apple.SharingViewService",
    "com.apple.ios.StoreKitUIService",
    "com.apple.purplebuddy",
    "com.apple.ScreenTimeUnlock",
    "com.apple.webapp",
    "com.apple.ActivityMessagesApp",
    "com.apple.icloud.apps.messages.business",
    "com.apple.ClipViewService",
    "com.apple.CredentialSharingService",
    "com.apple.ctkui",
    "com.apple.FunCamera.EmojiStickers",
    "com.apple.siri.parsec.HashtagImagesApp",
    "com.apple.icq",
    "com.apple.Jellyfish",
    "com.apple.Animoji.StickersApp",
    "com.apple.PassbookSecureUIService",
    "com.apple.Photos.PhotosUIService",
    "com.apple.shortcuts.runtime",
    "com.apple.SleepLockScreen",
    "com.apple.FunCamera.TextPicker",
    "com.apple.FunCamera.ShapesPicker",
    "com.apple.smsFilter",
    "com.apple.AskPermissionUI",
    "com.apple.AuthenticationServicesUI",
    "com.apple.AMSEngagementViewService",
    "com.apple.PassbookBanner",
};

bool isHidden(const std::string& bundleID) {
    static const std::unordered_set<std::string> hidden(kHiddenApplications.begin(),
                                                        kHiddenApplications.end());
    return hidden.contains(bundleID);
}

std::string_view nameOf(const base::Value& record) {
    const std::string* name = record["name"].asString();
    return name ? std::string_view(*name) : std::string_view();
}

}  // namespace

std::shared_ptr<PrivateAppList> PrivateAppList::sharedInstance() {
    static std::once_flag once;
    static std::shared_ptr<PrivateAppList> instance;
    std::call_once(once, [] { instance = std::make_shared<PrivateAppList>(); });
    return instance;
}

const std::vector<std::string>& PrivateAppList::blacklistApps() { return kHiddenApplications; }

base::Value::Array PrivateAppList::allApps() {
    base::Value::Array records;
    for (auto& application : sys::ApplicationWorkspace::allApplications()) {
        if (isHidden(application.bundleIdentifier)) continue;
        base::Value::Dictionary record;
        record.emplace("name", application.localizedName.value_or(application.bundleIdentifier));
        record.emplace("bundleID", std::move(application.bundleIdentifier));
        records.emplace_back(std::move(record));
    }
    return sortArray(std::move(records));
}

base::Value::Array PrivateAppList::sortArray(base::Value::Array apps) {
    std::stable_sort(apps.begin(), apps.end(), [](const base::Value& a, const base::Value& b) {
        return base::strings::caseInsensitiveCompare(nameOf(a), nameOf(b)) < 0;
    });
    return apps;
}
