#include "objects/StoryText.h"

// Apostrophes are the Windows-1252 closing quote, byte 146, written as its own literal so
// that no letter after it reads as part of the escape.
const TStoryLines StoryLines = {{
    // Level 1
    {{
        "First virus samples have just been delivered",
        "to our lab. Nasty little things! They split",
        "faster than our intern Tom eats doughnuts.",
        "Let"
        "\x92"
        "s break them apart and collect molecules",
        "for the first batch of the vaccine.",
    }},
    // Level 2
    {{
        "Good start! Anna, our chemist, says the",
        "flask needs a stronger mixture. The virus",
        "hides behind thick cell walls now. Break",
        "them and bring her every molecule you find.",
        "",
    }},
    // Level 3
    {{
        "News from the city: the virus is spreading.",
        "The mayor phoned to ask when we"
        "\x92"
        "ll be ready.",
        "I told him science can"
        "\x92"
        "t be rushed, then hung",
        "up and started rushing. Tom made coffee for",
        "everyone. It tastes like test tube number 7.",
    }},
    // Level 4
    {{
        "Tom mixed up two flasks, and Pipette, our lab",
        "cat, now glows green. She is quite proud of it.",
        "Back to work: the virus won"
        "\x92"
        "t wait for us!",
        "",
        "",
    }},
    // Level 5
    {{
        "The first test batch works on mice! They",
        "are healthy, cheerful and want more cheese.",
        "Now we need a mixture that works on people.",
        "",
        "",
    }},
    // Level 6
    {{
        "Bad news: the virus has mutated, and the old",
        "mixture no longer stops it. Anna hasn"
        "\x92"
        "t slept,",
        "but she has a new formula. Let"
        "\x92"
        "s try it!",
        "",
        "",
    }},
    // Level 7
    {{
        "Hospitals send us samples from all over the",
        "country. Our fridge is full of viruses and of",
        "Tom"
        "\x92"
        "s sandwiches. Please, Tom, label them.",
        "Clearly. Very clearly.",
        "",
    }},
    // Level 8
    {{
        "Halfway there! Anna"
        "\x92"
        "s formula holds against",
        "the new strain. We cheered so loudly that",
        "the neighbours called the police. We gave",
        "the officers a flu shot and sent them home.",
        "",
    }},
    // Level 9
    {{
        "A reporter came to ask about the vaccine.",
        "Pipette sat on her notebook and glowed, so",
        "tomorrow"
        "\x92"
        "s paper will be about glowing cats.",
        "Fine by us: fewer questions, more time for",
        "molecules!",
    }},
    // Level 10
    {{
        "The virus has reached the neighbouring lands,",
        "and their labs are waiting for our formula.",
        "Anna is packing samples, Tom is packing",
        "doughnuts. Both are important, he says.",
        "",
    }},
    // Level 11
    {{
        "Disaster! A power cut warmed the freezer, and",
        "half of our samples are ruined. Tom pedalled",
        "the emergency generator all night long.",
        "Heroes don"
        "\x92"
        "t always wear capes; some wear",
        "lab coats and very tired smiles.",
    }},
    // Level 12
    {{
        "We found it! The virus has a weak spot in its",
        "shell, the same in every strain we have seen.",
        "Hit it there and no mutation can save it.",
        "Fill the flask, quickly!",
        "",
    }},
    // Level 13
    {{
        "Volunteers have tried the new vaccine. No side",
        "effects, except that Tom now hums all day.",
        "We think that was there before.",
        "",
        "",
    }},
    // Level 14
    {{
        "The virus strikes back with a fast new strain,",
        "the strongest yet, and it is spreading through",
        "the schools. Every hour counts now. Anna says",
        "we are very close, and she is never wrong.",
        "Well, almost never.",
    }},
    // Level 15
    {{
        "One last ingredient is missing: a molecule that",
        "only forms under great pressure. Just like us!",
        "Let"
        "\x92"
        "s put the whole lab under pressure and",
        "make it. Pipette is already purring.",
        "",
    }},
    // Level 16
    {{
        "This is it: the universal vaccine! One flask to",
        "protect the whole world. Let"
        "\x92"
        "s fill it up and",
        "finish these horrible viruses off!",
        "",
        "",
    }},
}};

std::string_view StoryLine(int level, int line) {
    if (level < 1 || level > kStoryLevels || line < 1 || line > kStoryLinesPerLevel) return {};
    return StoryLines[level - 1][line - 1];
}
