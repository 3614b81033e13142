### Files: the en-US catalogue, the source locale.
### Every other catalogue defines the same message ids with the same
### variables. Counts are passed as numbers and select a plural branch.

files-time-unknown = unknown time

## Keyboard shortcuts

files-shortcuts-title = Keyboard Shortcuts
files-shortcuts-summary = Work with files without leaving the keyboard
files-shortcuts-primary = Ctrl+C, Ctrl+X, Ctrl+V: copy, cut and paste · Ctrl+A: select all · Ctrl+Z: undo Move to Trash
files-shortcuts-navigate = Arrow keys, Home, End: move the selection (Shift extends it) · Backspace: up one folder
files-shortcuts-grid = In grid view the arrow keys move between tiles
files-shortcuts-open = Enter: open the selected item
files-shortcuts-location = Ctrl+L: type a location
files-shortcuts-new-folder = Ctrl+Shift+N: new folder
files-shortcuts-edit = F2: rename · Delete: move to Trash · F5: reload the folder
files-shortcuts-hidden = Ctrl+H: show or hide hidden files
files-shortcuts-size = Ctrl+Plus, Ctrl+Minus, Ctrl+0: larger, smaller or default item size
files-shortcuts-context = Menu key: context menu of the selected item
files-shortcuts-close = F1 or ?: show these shortcuts · Escape: close them

## Availability actions and status

files-keep-offline = Keep Offline
files-use-automatic-storage = Use Automatic Storage
files-pinned-by-parent = Kept offline by its folder
files-retry-download = Retry Download
files-free-local-space = Free Up Local Space
files-no-pin-needed = The selected items are already kept offline
files-no-direct-pin = None of the selected items is kept offline by itself
files-keeping-offline =
    { $count ->
        [one] Keeping { $count } item offline
       *[other] Keeping { $count } items offline
    }
files-using-automatic =
    { $count ->
        [one] Using automatic storage for { $count } item
       *[other] Using automatic storage for { $count } items
    }
files-offline-policy-failed = Could not change offline storage: { $errors }
files-no-retryable-transfer = None of the selected items has a transfer to retry
files-retrying-transfers =
    { $count ->
        [one] Retrying { $count } transfer
       *[other] Retrying { $count } transfers
    }
files-retry-failed = Could not retry the transfer: { $errors }
files-no-local-space-releasable = None of the selected items has local space to free
files-freeing-local-space =
    { $count ->
        [one] Freeing local space of { $count } item
       *[other] Freeing local space of { $count } items
    }
files-free-local-space-failed = Could not free local space: { $errors }
files-eviction-needs-confirmation = Some local copies are the only ones; confirm before removing them
files-destructive-eviction-title = Remove the Only Local Copy?
files-destructive-eviction-summary =
    { $count ->
        [one] { $count } item has no verified copy anywhere else
       *[other] { $count } items have no verified copy anywhere else
    }
files-destructive-eviction-no-replica = No other device or server has confirmed a durable copy.
files-destructive-eviction-loss = Changes that were not synchronised will be lost.
files-destructive-eviction-protected = Items kept offline are not affected.
files-destructive-eviction-confirm = Remove Local Copy Anyway
files-destructive-eviction-started =
    { $count ->
        [one] Removing the local copy of { $count } item
       *[other] Removing the local copies of { $count } items
    }
files-permanent-delete-title =
    { $count ->
        [one] Delete { $count } Item Permanently?
       *[other] Delete { $count } Items Permanently?
    }
files-permanent-delete-summary =
    { $count ->
        [one] { $count } item will be deleted from the Trash
       *[other] { $count } items will be deleted from the Trash
    }
files-permanent-delete-loss = This cannot be undone.
files-permanent-delete-confirm = Delete Permanently
files-empty-trash-title = Empty the Trash?
files-empty-trash-summary =
    { $count ->
        [one] { $count } item in the Trash will be deleted permanently
       *[other] All { $count } items in the Trash will be deleted permanently
    }
files-empty-trash-confirm = Empty Trash

## Properties and availability sheet

files-property-collaborative-record = Collaborative record: { $record }
files-property-content = Content: { $hash }…
files-residency-metadata-only = metadata only
files-residency-partly-local =
    { $bytes ->
        [one] partly local ({ $bytes } byte)
       *[other] partly local ({ $bytes } bytes)
    }
files-residency-local =
    { $bytes ->
        [one] local ({ $bytes } byte)
       *[other] local ({ $bytes } bytes)
    }
files-property-on-device = On this device: { $state }
files-property-sharing =
    { $count ->
        [one] Sharing: { $count } active grant
       *[other] Sharing: { $count } active grants
    }
files-property-history =
    { $versions ->
        [one] History: { $versions } version
       *[other] History: { $versions } versions
    }
files-properties-collab-summary = Filesystem and verified collaborative metadata
files-availability-title = Availability — { $name }
files-availability-title-short = Availability
files-not-stored = Not stored on this device
files-partly-stored =
    { $bytes ->
        [one] Partly stored on this device ({ $bytes } byte)
       *[other] Partly stored on this device ({ $bytes } bytes)
    }
files-stored =
    { $bytes ->
        [one] Stored on this device ({ $bytes } byte)
       *[other] Stored on this device ({ $bytes } bytes)
    }
files-kept-offline-parent = Kept offline by a parent folder
files-kept-offline = Kept offline
files-automatic-storage = Automatic storage
files-replica-unverified = Copies on other devices are not verified yet
files-replica-counts =
    { $reachable ->
        [one] { $reachable } reachable copy
       *[other] { $reachable } reachable copies
    }, { $durable ->
        [one] { $durable } durable
       *[other] { $durable } durable
    }
files-transfer-state = Transfer: { $state }
files-transfer-idle = idle
files-transfer-queued = queued
files-transfer-downloading = downloading
files-transfer-uploading = uploading
files-transfer-verifying = verifying

## Sharing

files-search-collaborative-records = Collaborative files
files-search-record-provenance = { $path } · record { $record }
files-copy-one-time-link = Copy One-Time Link
files-share-composer-named = Share with { $person } · { $permission } · { $expiry }
files-share-composer-link = Create Link · { $permission } · { $expiry } · { $uses }
files-share-choice-view = can view
files-share-choice-edit = can edit
files-share-choice-day = for a day
files-share-choice-week = for a week
files-share-choice-month = for a month
files-share-choice-never = no expiry
files-share-choice-one-use = one use
files-share-choice-bounded-uses =
    { $count ->
        [one] { $count } use
       *[other] { $count } uses
    }
files-share-creating = Creating share…
files-share-invalid-options = These sharing options cannot be combined
files-share-link-needs-expiry = A share link needs an expiry
files-share-invalid-uses = A share link allows one use or 2 to 1000 uses
files-share-recipient-unreachable = This person has no certified device to share with
files-sharing-access = Sharing and Access
files-share-with = Share with { $person }
files-revoke-subject = Revoke access for { $subject }
files-shared-link = the shared link
files-share-link-pending = A share link is still being created
files-share-change-pending = A sharing change is still in progress
files-select-collaborative-file = Select a file in the collaborative workspace first
files-select-shared-file = Select a shared file first
files-sharing-unavailable = Sharing is not available for this workspace
files-creating-one-use-link = Creating a one-use link…
files-share-with-progress = Sharing with { $person }…
files-revoking-access = Revoking access…
files-not-shared = This file is not shared
files-anyone-link = Anyone with the link
files-can-view = can view
files-can-edit = can edit
files-grant-active = active
files-grant-expired = expired
files-grant-revoked = revoked
files-grant-exhausted = used up
files-no-expiry = no expiry
files-expires = expires { $time }
files-share-grant-line = { $subject } · { $permission } · { $status } · { $expiry }
files-sharing-title = Sharing — { $name }
files-certified-devices = Devices of { $person }: { $devices }
files-certified-device-detail = { $device } · key { $fingerprint } · { $capabilities } · issued { $issued } · { $expiry }
files-device-cap-own = manages workspaces
files-device-cap-admit = admits devices
files-device-cap-host = trusted host
files-device-cap-read-all = reads all workspaces
files-device-cap-member = workspace member
files-sharing-summary =
    { $count ->
        [one] { $count } active grant
       *[other] { $count } active grants
    }
files-link-copied = Link copied to the clipboard
files-share-created = Shared with { $person }
files-share-created-pending = Shared with { $person }; delivery is pending
files-share-created-delivered = Shared with { $person } and delivered
files-access-revoked = Access revoked
files-share-inactive = This access was no longer active

## History and conflict resolution

files-version-history = Version History
files-restore-previous = Restore Previous Version
files-resolve-keep-current = Keep Current Version ({ $conflict })
files-resolve-use-other = Use Version from { $device } ({ $conflict })
files-history-version-line = { $action } · { $time } · { $person } · { $device }
files-history-older = Older versions
files-conflict-needs-review = This conflict needs a review
files-conflict-resolved-strategy = Conflict resolved: { $strategy }
files-conflict-resolved = Conflict resolved
files-strategy-keep-current = Keep the current version
files-strategy-use-other = Use the other version
files-strategy-keep-both = Keep both versions
files-strategy-merge = Merge the versions
files-conflict-line =
    { $count ->
        [one] Conflict { $conflict } · { $count } other version
       *[other] Conflict { $conflict } · { $count } other versions
    }
files-conflict-resolve-hint = Choose which version to keep
files-conflict-unsupported-hint = This conflict cannot be resolved here
files-history-title = History — { $name }
files-history-summary =
    { $versions ->
        [one] { $versions } version
       *[other] { $versions } versions
    }
files-history-change-pending = A history change is still in progress
files-select-file-with-history = Select a file with version history first
files-version-restored = Version restored
files-restoring-version = Restoring the version…
files-keeping-current = Keeping the current version…
files-applying-other = Applying the other version…
files-merging-versions = Merging the versions…
files-merge-review-menu = Review Merge…
files-merge-review-title = Review Merge — { $name }
files-merge-review-summary = Check whether both versions can be merged safely
files-merge-review-checking = Checking whether the versions can be merged…
files-merge-review-checking-detail = Nothing is changed while the check runs.
files-merge-review-safe = The versions can be merged safely
files-merge-review-needs-review = The versions need a manual review
files-merge-review-unavailable = The merge check is not available
files-merge-review-no-apply = The merge cannot be applied from here.
files-merge-review-incoming = Incoming version from { $device }
files-merge-review-diff = Changes in the incoming version
files-merge-review-guard = The merge is applied only if the file has not changed since the check.
files-merge-review-undo = The previous version stays in the history.
files-merge-apply-safe = Apply safe merge
files-merge-apply-safe-detail = Merges the incoming changes into the current version
files-conflict-workflow-required = Resolve this conflict in the version history
files-conflict-resolved-signed = Conflict resolved and signed
files-history-change-saved = History change saved
files-history-action-created = Created
files-history-action-edited = Edited
files-history-action-renamed = Renamed
files-history-action-moved = Moved
files-history-action-deleted = Deleted
files-history-action-conflict-resolved = Conflict resolved
files-history-action-restored = Restored
files-history-action-changed = Changed
files-history-current-version = Current version: { $action }
files-history-timeline-detail = { $person } · { $time }
files-history-preview-title = Preview
files-history-compare-title = Compare with Current
files-history-selected-action = Change: { $action }
files-history-selected-by = By: { $person }
files-history-selected-at = At: { $time }
files-history-version-id = Version: { $id }
files-history-content-identity = Content: { $hash }
files-history-metadata-identity = Metadata: { $hash }
files-history-no-content = No content preview for this version
files-history-compare-content = Content: { $state }
files-history-compare-metadata = Metadata: { $state }
files-history-same = same as current
files-history-different = different from current
files-history-show-activity = Show Activity
files-history-compare = Compare
files-history-hide-compare = Hide Comparison
files-history-restore-selected = Restore This Version
files-history-current-version-label = Current version
files-history-timeline-a11y = Version timeline
files-history-timeline-a11y-item = { $action } by { $person }, { $time }

## Accessible collaborative state

files-a11y-transfer-failed = Transfer failed
files-a11y-transfer-queued = Transfer queued
files-a11y-downloading = Downloading
files-a11y-uploading = Uploading
files-a11y-verifying = Verifying
files-a11y-online-only = Online only
files-a11y-partly-offline = Partly available offline
files-a11y-available-offline = Available offline
files-a11y-kept-offline-parent = Kept offline by a parent folder
files-a11y-kept-offline = Kept offline
files-a11y-replica-unknown = Copies elsewhere unknown
files-a11y-durably-replicated = Durably copied elsewhere
files-a11y-not-durably-replicated = Not yet durably copied elsewhere
files-a11y-shared-recipients =
    { $count ->
        [one] Shared with { $count } recipient
       *[other] Shared with { $count } recipients
    }
files-a11y-version-conflict = Version conflict

## Service and received-share errors and status

files-history-encode-failed = Could not prepare the history request
files-history-request-too-large = The history request is too large
files-history-restore-failed = Could not restore the version: { $error }
files-conflict-strategy-unsupported = This way of resolving the conflict is not supported
files-conflict-encode-failed = Could not prepare the conflict request
files-conflict-request-too-large = The conflict request is too large
files-conflict-resolve-failed = Could not resolve the conflict: { $error }
files-share-wrong-response = Share service gave an unexpected response
files-share-runtime-failed = Could not start the share request: { $error }
files-share-unavailable-error = Share service is not reachable: { $error }
files-share-encode-failed = Could not prepare the share request: { $error }
files-share-request-too-large = The share request is too large
files-share-request-failed = Could not send the share request: { $error }
files-share-flush-failed = Could not finish sending the share request: { $error }
files-share-no-response = Share service did not respond: { $error }
files-share-response-too-large = Share service response is too large
files-share-response-truncated = Share service response was cut off: { $error }
files-share-response-invalid = Share service response is not valid: { $error }
files-share-refused = Share service refused the request ({ $code })
files-received-refused = The shared file was refused ({ $code })
files-received-retry-refused = Opening the shared file again was refused ({ $code })
files-received-wrong-response = The received-file service gave an unexpected response
files-received-runtime-failed = Could not start the received-file request: { $error }
files-received-encode-failed = Could not prepare the received-file request
files-received-request-too-large = The received-file request is too large
files-received-unavailable = The received-file service is not available
files-received-no-response = The received-file service did not respond
files-received-response-too-large = The received-file service response is too large
files-received-response-truncated = The received-file service response was cut off
files-received-response-invalid = The received-file service response is not valid
files-received-not-available = Shared files are not available in this session
files-received-fd-clone-failed = Could not take over the received-file connection
files-received-fd-invalid = The received-file connection is not valid
files-received-file = Opened the shared file
files-received-mount-starting = The shared folder is being prepared…
files-received-admitted = Access to the share was granted
files-received-link-read-failed = Could not read the shared-file link
files-received-link-too-large = Shared-file link exceeds its bound
files-received-link-invalid-text = Shared-file link is not valid text
files-received-link-empty = Shared-file link is empty

## Application chrome and navigation

files-app-title = Files
files-back = Back
files-forward = Forward
files-up = Up one folder
files-view-list = List
files-view-grid = Grid
files-sort-by = Sort by
files-view-options = View options
files-path-placeholder = Type a path, e.g. ~/Documents
files-place-home = Home
files-place-favourites = Favourites
files-place-favorites = Favorites
files-place-system = System
files-place-root = Root
files-place-trash = Trash
files-place-workspace = Workspace
files-place-documents = Documents
files-place-downloads = Downloads
files-place-pictures = Pictures
files-place-music = Music
files-place-videos = Videos

## List, empty and error state, accessibility

files-column-name = Name
files-column-size = Size
files-column-modified = Modified
files-try-again = Try Again
files-loading = Loading…
files-loading-folder = Loading { $path }…
files-loading-title = Opening folder
files-loading-detail = Reading { $path }
files-directory-read-failed = Could not open this folder: { $error }
files-load-error-title = Couldn’t open this folder
files-load-error-detail = { $path }: { $error }
files-a11y-load-error = Could not open the folder: { $error }
files-a11y-panel-details = { $title }. { $summary }. { $details }
files-a11y-dialog-close = { $summary }. Press Escape to close
files-a11y-activity = Files activity
files-a11y-current-folder = Current folder: { $path }
files-a11y-places = Places
files-a11y-favourite = Favourite
files-a11y-system-location = System location
files-a11y-place-description = { $section }, { $path }
files-a11y-breadcrumbs = Breadcrumbs
files-a11y-current-breadcrumb = Current folder, { $path }. Press Enter to edit the path
files-a11y-open-folder = Open { $path }
files-empty-trash = Trash is empty
files-empty-folder = This folder is empty
files-item-count =
    { $count ->
        [one] { $count } item
       *[other] { $count } items
    }
files-selected-count =
    { $count ->
        [one] { $base }  ·  { $count } selected
       *[other] { $base }  ·  { $count } selected
    }
files-a11y-list = Files
files-a11y-folder = Folder
files-a11y-file = File, { $size }
files-new-name-placeholder = New name

## Properties

files-property-type = Type: { $type }
files-property-location = Location: { $location }
files-property-size = Size: { $size }
files-property-modified = Modified: { $time }
files-property-dimensions = Dimensions: { $width } × { $height } px
files-property-duration = Duration: { $duration }
files-property-pages =
    { $count ->
        [one] Pages: { $count } page
       *[other] Pages: { $count } pages
    }
files-property-codec = Codec: { $codec }
files-property-container = Container: { $container }
files-property-unknown = Unknown
files-properties-title = Properties — { $name }
files-properties-summary = Filesystem metadata

## Ordinary operation results

files-new-folder-default-name = New Folder
files-created-folder = Folder created
files-new-folder-failed = Could not create the folder: { $error }
files-permanently-deleted =
    { $count ->
        [one] Deleted { $count } item permanently
       *[other] Deleted { $count } items permanently
    }
files-delete-failed = Could not delete: { $error }
files-moved-to-trash =
    { $count ->
        [one] Moved { $count } item to Trash
       *[other] Moved { $count } items to Trash
    }
files-restored =
    { $count ->
        [one] Restored { $count } item
       *[other] Restored { $count } items
    }
files-undo-move-trash = Undo Move to Trash
files-undo-trash-restored =
    { $count ->
        [one] Put { $count } item back from the Trash
       *[other] Put { $count } items back from the Trash
    }
files-undo-trash-unavailable = Nothing to undo
files-undo-trash-failed = Could not undo Move to Trash: { $error }
files-restore-failed = Could not restore: { $error }
files-trash-already-empty = Trash is already empty
files-emptied-trash =
    { $count ->
        [one] Emptied the Trash ({ $count } item)
       *[other] Emptied the Trash ({ $count } items)
    }
files-empty-trash-failed = Could not empty the Trash: { $error }
files-copied =
    { $count ->
        [one] Copied { $count } item
       *[other] Copied { $count } items
    }
files-cut =
    { $count ->
        [one] Cut { $count } item
       *[other] Cut { $count } items
    }
files-created-file = File created
files-new-file-failed = Could not create the file: { $error }
files-added-favourite = Added to Favourites
files-removed-favourite = Removed from Favourites
files-moved-with-failures =
    { $moved ->
        [one] Moved { $moved } item
       *[other] Moved { $moved } items
    } to { $destination }; { $failed ->
        [one] { $failed } item could not be moved
       *[other] { $failed } items could not be moved
    }
files-moved-to-folder =
    { $count ->
        [one] Moved { $count } item
       *[other] Moved { $count } items
    }
files-nothing-to-move = Nothing to move
files-pasted =
    { $count ->
        [one] Pasted { $count } item
       *[other] Pasted { $count } items
    }
files-pasted-with-failures =
    { $count ->
        [one] Pasted { $count } item
       *[other] Pasted { $count } items
    }; { $failed ->
        [one] { $failed } item failed
       *[other] { $failed } items failed
    }
files-renamed = Renamed
files-rename-failed = Could not rename: { $error }

## Context, view and sort menus

files-menu-open = Open
files-action-reveal = Show in Folder
files-menu-restore = Restore
files-menu-delete-permanently = Delete Permanently
files-menu-empty-trash = Empty Trash
files-menu-rename = Rename…
files-action-rename-prompt = New name
files-menu-cut = Cut
files-menu-copy = Copy
files-menu-properties = Properties
files-menu-paste = Paste
files-menu-new-folder = New Folder
files-menu-new-file = New File  ›
files-menu-move-trash = Move to Trash
files-menu-add-favourite = Add to Favourites
files-menu-remove-favourite = Remove from Favourites
files-menu-hide-hidden = Hide Hidden Files
files-menu-show-hidden = Show Hidden Files
files-menu-sort-name = Sort by Name
files-menu-sort-size = Sort by Size
files-menu-sort-type = Sort by Type
files-menu-sort-date = Sort by Date Modified
files-menu-open-terminal = Open Terminal Here
files-sort-name = Name
files-sort-size = Size
files-sort-type = Type
files-sort-date = Date Modified
files-sort-ascending = Ascending
files-sort-descending = Descending
files-new-from-template = New { $name }
files-drag-items =
    { $count ->
        [one] { $count } item
       *[other] { $count } items
    }

## Archives

files-archive-extract = Extract archive…
files-archive-extract-here = Extract Here
files-archive-compress = Compress to ZIP
files-archive-select-compress = Select the items to compress
files-archive-read-only = Archives are read-only until extracted
files-archive-open-after-extract = Extract the archive to open its files
files-archive-select = Select an archive to extract
files-archive-extracted =
    { $count ->
        [one] Extracted { $count } file
       *[other] Extracted { $count } files
    }
files-archive-extracted-partial =
    { $count ->
        [one] Extracted { $count } file
       *[other] Extracted { $count } files
    }; some archives failed: { $failures }
files-archive-extract-failed = Could not extract the archive: { $error }
files-archive-created = Created { $name }
files-archive-create-failed = Could not create the archive: { $error }

## File-operation validation

files-folder-name-empty = A folder name cannot be empty
files-folder-name-slash = A folder name cannot contain “/”
files-name-empty = A name cannot be empty
files-name-slash = A name cannot contain “/”
files-no-parent = This item has no parent folder
files-name-exists = “{ $name }” already exists
files-destination-inspect-failed = Could not check { $path }: { $error }
files-destination-names-exhausted = No free name for “{ $name }” in { $path }
files-source-no-name = The item has no name
files-menu-send-nearby = Send to Nearby Device…
files-action-send-nearby-device = Send to { $device }
files-nearby-send-to-device = Send to { $device }
files-nearby-select-one = Select exactly one item to send
files-nearby-loading-devices = Looking for nearby devices…
files-nearby-no-devices = No nearby devices
files-nearby-choose-device = Send to a nearby device
files-nearby-queueing = Preparing to send…
files-nearby-accepted = Accepted; receiving the item
files-nearby-declined = Declined
files-nearby-cancelled = Cancelled
files-nearby-retrying = Retrying…
files-nearby-accept = Accept…
files-nearby-retry = Retry
files-nearby-consent-detail = The item is saved only where you choose.
files-nearby-retry-detail = The transfer can be tried again.
files-nearby-offer-title = { $device } wants to send you an item
files-nearby-offer-summary = { $name }
files-nearby-offer-size =
    { $bytes ->
        [one] Size: { $bytes } byte
       *[other] Size: { $bytes } bytes
    }
files-nearby-failed-title = Nearby Send failed
files-nearby-failed-device = Device: { $device }
files-nearby-choose-destination = Choose where to save
files-nearby-no-destinations = No place to save items has been approved
files-nearby-destination-count =
    { $count ->
        [one] { $count } approved place to save
       *[other] { $count } approved places to save
    }
files-nearby-save-to-destination = Save to { $destination }
files-nearby-save-and-remember = Always Save to { $destination }
files-share-not-available = Sharing is not available
files-name-invalid = This name is not allowed
