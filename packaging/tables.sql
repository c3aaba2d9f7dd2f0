-- What wixl cannot write, run on each package after it: one statement a line;
-- scripts/package fills in @VERSION@ and @UPGRADE_CODE@.
-- Names in Chinese: wixl crashes on text outside ASCII or stores it empty; here the
-- database's code page is 936 first.
UPDATE `Property` SET `Value` = 'ORVEL系统助手' WHERE `Property` = 'ProductName'
UPDATE `Property` SET `Value` = 'ORVEL 技术支持' WHERE `Property` = 'Manufacturer'
UPDATE `Shortcut` SET `Name` = 'ORVEL~1|ORVEL系统助手' WHERE `Shortcut` = 'StartMenuShortcut'
UPDATE `LaunchCondition` SET `Description` = '已安装更高版本的 ORVEL系统助手。' WHERE `Condition` = 'NOT WIX_DOWNGRADE_DETECTED'
-- Windows Installer compares only the first three fields of a version, so 1.0.0.7 and
-- 1.0.0.8 count as equal: the upgrade row includes its maximum, or a package that
-- differs only in the last field would install beside the old one.
DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'
INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`) VALUES ('@UPGRADE_CODE@', '@VERSION@', 513, 'WIX_UPGRADE_DETECTED')
-- The address reaches the server side of a managed or elevated install.
UPDATE `Property` SET `Value` = 'WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED;ORVEL_ADDRESS' WHERE `Property` = 'SecureCustomProperties'
